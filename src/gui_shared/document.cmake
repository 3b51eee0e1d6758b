# The ".quillet" document file. The format itself needs no GUI and is a library of its own, so that it can be tested,
# fuzzed and benchmarked without a display; the workspace's open and save build on it.
add_library(quillet_document STATIC
    ${CMAKE_CURRENT_LIST_DIR}/quilletDocumentFile.cpp)
target_include_directories(quillet_document PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(quillet_document PUBLIC quillet_juce quillet_util quillet_engine)
quillet_set_warnings(quillet_document)

target_link_libraries(quillet_gui_shared PUBLIC quillet_document)

# The workspace's side of the document: open, save, import and the framework's document protocol.
target_sources(quillet_gui_shared PRIVATE ${CMAKE_CURRENT_LIST_DIR}/quilletComponentDocument.cpp)
