# Read by ctest after the discovered tests: the import test reads back the X11 clipboard, which belongs to the whole
# display, so it takes the same lock as the other tests that do.
foreach(quillet_test IN LISTS quillet_document_workspace_tests_TESTS)
    if(quillet_test MATCHES "^DocumentWorkspace\\.ATextFile")
        set_tests_properties("${quillet_test}" PROPERTIES RESOURCE_LOCK x11_clipboard)
    endif()
endforeach()
