# The Guide Star Catalog tree of the tests, made from the committed star
# files at test time (about 110 MB, in the build tree, never committed):
# the whole tree in upper case, and the regions around the Pleiades again
# in lower case. Writing it takes seconds, but ten thousand files can wait
# long on a disk that the rest of the suite keeps busy.
set(UVOLA_GSC_TREE "${CMAKE_BINARY_DIR}/gsc-tree")
# Each run writes a tree of its own beside it and then turns the link to
# it: a second ctest in the same build tree never reads a tree half
# rewritten. Older trees go once no run can still be writing them (the
# fixture's own time limit).
add_test(NAME gsc_test_tree
         COMMAND sh -c "set -e; tree='${UVOLA_GSC_TREE}'; \
new=$(mktemp -d \"$tree.XXXXXX\"); \
/usr/bin/python3 '${PROJECT_SOURCE_DIR}/tools/gen_gsc_tree.py' --test \"$new/upper\"; \
/usr/bin/python3 '${PROJECT_SOURCE_DIR}/tools/gen_gsc_tree.py' --test --lower-case --regions 1200-1900 \"$new/lower\"; \
if [ -d \"$tree\" ] && [ ! -L \"$tree\" ]; then rm -rf \"$tree\"; fi; \
ln -s \"$new\" \"$new.link\"; mv -T \"$new.link\" \"$tree\"; \
find \"$(dirname \"$tree\")\" -maxdepth 1 -name \"$(basename \"$tree\").??????\" ! -path \"$new\" -mmin +15 -exec rm -rf {} +")
set_tests_properties(gsc_test_tree PROPERTIES FIXTURES_SETUP gsc_tree TIMEOUT 900
                     ENVIRONMENT PYTHONDONTWRITEBYTECODE=1)

uvola_e2e_test(star_files_e2e SCRIPT star_files_e2e.py PROGRAM uvola)
set_tests_properties(star_files_e2e PROPERTIES FIXTURES_REQUIRED gsc_tree
                     ENVIRONMENT "PYTHONDONTWRITEBYTECODE=1;UVOLA_GSC_TREE=${UVOLA_GSC_TREE}")
