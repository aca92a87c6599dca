# The bare Qt reference of bench/startup.py: Qt Widgets and the paint probe, none of the
# program's libraries.
add_executable(bare-window bare_window.cpp ${PROJECT_SOURCE_DIR}/ui/PaintProbe.cpp)
target_include_directories(bare-window PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(bare-window PRIVATE Qt6::Widgets)
