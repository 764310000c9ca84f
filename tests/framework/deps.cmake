# The resource-switch tests load copy2.dll from beside the test executable.
add_dependencies(test_${name} copy2)
