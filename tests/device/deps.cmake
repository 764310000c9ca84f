# The end-to-end binding test needs the simulated device beside it.
if(TARGET qvsim_device)
  add_dependencies(test_${name} qvsim_device)
endif()
