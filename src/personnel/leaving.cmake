list(APPEND PERSONNEL_SOURCES leavingscreens.cpp
  checkyuangong.h checkyuangong.cpp
  chaxun.h chaxun.cpp
  lizhi.h lizhi.cpp)
