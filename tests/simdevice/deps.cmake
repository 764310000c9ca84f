# The simulated device and its control tool must lie beside the test.
add_dependencies(test_${name} qvsim_device qvsimctl)
