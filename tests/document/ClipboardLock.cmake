# Read by ctest after the discovered tests: an import puts text on the X11 clipboard, which belongs to the whole
# display, and one import test reads it back, so these tests (several import, all are quick) take the same lock as the
# other tests that use the clipboard.
foreach(quillet_test IN LISTS quillet_document_workspace_tests_TESTS)
    if(quillet_test MATCHES "^DocumentWorkspace\\.")
        set_tests_properties("${quillet_test}" PROPERTIES RESOURCE_LOCK x11_clipboard)
    endif()
endforeach()
