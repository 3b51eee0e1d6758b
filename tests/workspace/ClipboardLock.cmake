# Read by ctest after the discovered tests: the tests that write or read back the
# X11 clipboard must not run at the same time as each other (ctest -j), since the
# clipboard belongs to the whole X display. Other areas can take the same lock.
foreach(quillet_test IN LISTS test_workspace_TESTS)
    if(quillet_test MATCHES "^Workspace(History|Generate|Rule)\\.")
        set_tests_properties("${quillet_test}" PROPERTIES RESOURCE_LOCK x11_clipboard)
    endif()
endforeach()
