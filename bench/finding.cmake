# What's Today's texts, the minor-planet dialog's Show and OK, the JPEG
# decoder and the viewer's expose while dragging (needs an X display: run
# it under tests/harness/uvola-test-env --xvfb). Goals: the texts under
# 1 ms, the Show and the OK under 1 s each.
uvola_benchmark(finding_bench SOURCES finding_bench.cpp LIBS uvola_dialogs Uvola::Motif JPEG::JPEG)
target_include_directories(finding_bench PRIVATE "${CMAKE_CURRENT_SOURCE_DIR}" "${PROJECT_SOURCE_DIR}")
