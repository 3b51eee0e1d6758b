# The lyric editor, the idea editors, the history list and their web look-ups.
target_sources(quillet_gui_shared PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/LookupAddresses.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SimpleTextListBox.cpp
    ${CMAKE_CURRENT_LIST_DIR}/lyricTextEditor.cpp
    ${CMAKE_CURRENT_LIST_DIR}/searchableTextEditor.cpp)
target_link_libraries(quillet_gui_shared PUBLIC quillet_engine quillet_util)
