ventrel_add_test(tst_worker tst_worker.cpp)
