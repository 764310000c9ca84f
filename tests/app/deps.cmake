# The start-up tests run the real program and look at what its siblings and the
# stand-in components did.
add_dependencies(test_${name} qvkcopy2 copy2 qvfcCopy qvkhblt qvsim_contextmgr qvsim_devstatus qvsim_device)
