# The resource tests read copy2.dll and qvkcopy2.exe from beside the test executable.
add_dependencies(test_${name} copy2 qvkcopy2)
