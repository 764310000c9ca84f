# The copier's print path: its arithmetic linked in, the component loaded from beside
# the test, and the PDF printer's output read back with the poppler tools.
target_link_libraries(test_${name} PRIVATE qvcopier_device_core)
add_dependencies(test_${name} qvcopier_device)
# The real program's copy runs with the copier tests' set-up scope and tool.
target_sources(test_${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/copier/CopierFixture.cpp)
add_dependencies(test_${name} qvcopier qvkcopy2 copy2 qvsim_wia)
