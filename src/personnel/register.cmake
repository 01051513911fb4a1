list(APPEND PERSONNEL_SOURCES registerscreens.cpp worker.h worker.cpp employeesheet.h employeesheet.cpp)
