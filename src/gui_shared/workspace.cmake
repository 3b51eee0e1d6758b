# The workspace (quilletComponent): layout, actions, export and clipboard copy.
target_sources(quillet_gui_shared PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/quilletComponent.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quilletComponentActions.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quilletComponentExport.cpp)
target_link_libraries(quillet_gui_shared PUBLIC quillet_util quillet_util_gui quillet_engine)

# The document side of the class, until the document's own list takes it over.
set(quillet_document_list "")
if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/document.cmake)
    file(READ ${CMAKE_CURRENT_LIST_DIR}/document.cmake quillet_document_list)
endif()
string(FIND "${quillet_document_list}" "quilletComponentDocument.cpp" quillet_document_listed)
if(quillet_document_listed EQUAL -1 AND EXISTS ${CMAKE_CURRENT_LIST_DIR}/quilletComponentDocument.cpp)
    target_sources(quillet_gui_shared PRIVATE ${CMAKE_CURRENT_LIST_DIR}/quilletComponentDocument.cpp)
endif()

# The logo comes from the program's resources once they are built; without
# them the workspace paints its background only.
if(TARGET quillet_resources)
    target_link_libraries(quillet_gui_shared PRIVATE quillet_resources)
    target_compile_definitions(quillet_gui_shared PRIVATE QUILLET_HAS_LOGO_RESOURCE=1)
endif()
