# The updater that an upgrade downloads as "Updater.exe": it replaces the
# program file once the program has ended. It links the platform layer only,
# so that it stays small and starts without any data.
add_executable(brumalis-updater updater_main.cpp)
target_link_libraries(brumalis-updater PRIVATE brumalis_platform)
