# The committed star files are the generator's output: their checksums
# match the manifest tools/gen_star_files.py wrote beside them.
add_test(NAME data_star_files_checksums
         COMMAND sha256sum --check --strict --quiet star_files.sha256
         WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}/data")
