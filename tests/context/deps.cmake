add_dependencies(test_${name} qvsim_contextmgr qvsim_devstatus)
