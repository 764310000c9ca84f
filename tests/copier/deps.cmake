# The copier tests run qvcopier.exe and load the copier's components from beside them;
# the program for a set-up needs the copier's device component when it is built.
add_dependencies(test_${name} qvcopier qvcopier_contextmgr qvcopier_devstatus qvkcopy2 copy2 qvsim_device
                 qvsim_contextmgr qvsim_devstatus qvsim_wia)
if(TARGET qvcopier_device)
  add_dependencies(test_${name} qvcopier_device)
endif()
