# The Guide Star Catalog tree of the tests, made from the committed star
# files at test time (about 110 MB, in the build tree, never committed):
# the whole tree in upper case, and the regions around the Pleiades again
# in lower case. Writing it takes seconds, but ten thousand files can wait
# long on a disk that the rest of the suite keeps busy.
set(UVOLA_GSC_TREE "${CMAKE_BINARY_DIR}/gsc-tree")
add_test(NAME gsc_test_tree
         COMMAND sh -c "rm -rf '${UVOLA_GSC_TREE}' && \
/usr/bin/python3 '${PROJECT_SOURCE_DIR}/tools/gen_gsc_tree.py' --test '${UVOLA_GSC_TREE}/upper' && \
/usr/bin/python3 '${PROJECT_SOURCE_DIR}/tools/gen_gsc_tree.py' --test --lower-case --regions 1200-1900 '${UVOLA_GSC_TREE}/lower'")
set_tests_properties(gsc_test_tree PROPERTIES FIXTURES_SETUP gsc_tree TIMEOUT 900
                     ENVIRONMENT PYTHONDONTWRITEBYTECODE=1)

uvola_e2e_test(star_files_e2e SCRIPT star_files_e2e.py PROGRAM uvola)
set_tests_properties(star_files_e2e PROPERTIES FIXTURES_REQUIRED gsc_tree
                     ENVIRONMENT "PYTHONDONTWRITEBYTECODE=1;UVOLA_GSC_TREE=${UVOLA_GSC_TREE}")
