# The program's layers, bottom first. A folder may include headers of its own and of
# the folders on the lines before its own, never of a folder on its line or above.
set(QV_LAYERS
    "records res"
    "device"
    "framework"
    "log"
    "settings context status controls"
    "dialog"
    "app")
# Outside components and stand-ins sit beside the program and use only the bottom layers.
set(QV_BESIDE sim copier help)
set(QV_BESIDE_MAY_USE records device)
