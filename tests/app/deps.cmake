# The start-up tests run the real program and look at what its siblings and the
# stand-in components did.
add_dependencies(test_${name} qvkcopy2 copy2 qvfcCopy qvkhblt)
foreach(sim qvsim_contextmgr qvsim_devstatus qvsim_device)
  if(TARGET ${sim})
    add_dependencies(test_${name} ${sim})
  endif()
endforeach()
