list(APPEND PERSONNEL_SOURCES dictionaryscreens.cpp
  namedictionary.h namedictionary.cpp
  country.h country.cpp shengji.h shengji.cpp mingzhu.h mingzhu.cpp zhongjiao.h zhongjiao.cpp
  worktype.h worktype.cpp
  recordscreen.h recordscreen.cpp
  bumen.h bumen.cpp onedept.h onedept.cpp twodept.h twodept.cpp
  zhiwei.h zhiwei.cpp room.h room.cpp pricejibie.h pricejibie.cpp
  zhushu.h zhushu.cpp zhufang.h zhufang.cpp)
