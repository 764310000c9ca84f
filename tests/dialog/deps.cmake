# The dialog scenarios run the real program against the simulated device and drive it with qvsimctl.
add_dependencies(test_${name} qvkcopy2 copy2 qvsimctl qvsim_device qvsim_contextmgr qvsim_devstatus)
