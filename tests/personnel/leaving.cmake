ventrel_add_test(tst_checkyuangong tst_checkyuangong.cpp)
ventrel_add_test(tst_chaxun tst_chaxun.cpp)
ventrel_add_test(tst_lizhi tst_lizhi.cpp)
