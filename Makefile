# The two commands of a fresh Debian 12 machine:
#   make run   install what is missing, build, start uvola
#   make test  install what is missing, build, run the whole test suite
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps build run test clean

all: build

deps:
	@sh scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@sh scripts/run-uvola.sh $(BUILD_DIR)/mainwin/uvola

test: build
	@cd $(BUILD_DIR) && ctest -j $(JOBS) --output-on-failure

clean:
	rm -rf $(BUILD_DIR)
