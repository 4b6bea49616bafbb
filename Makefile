# The two commands of a fresh Debian 12 machine:
#   make run   install what is missing, build uvola, start it
#   make test  install what is missing, build everything, run the whole test suite
# and the install: make install [PREFIX=/usr/local] [DESTDIR=staging directory]
BUILD_DIR ?= build
PREFIX ?= /usr/local
JOBS ?= $(shell nproc)
STEP = sh scripts/quiet-step.sh

.PHONY: all deps build uvola run test install clean

all: build

deps:
	@sh scripts/install-deps.sh

# Configured once: later builds configure again by themselves when a
# CMakeLists.txt or the set of source files changes.
$(BUILD_DIR)/CMakeCache.txt: | deps
	@$(STEP) "Configuring $(BUILD_DIR)/" $(BUILD_DIR)/configure.log \
		cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: $(BUILD_DIR)/CMakeCache.txt
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# What running needs and nothing more: the program and the data compiled
# into it, not the test programs and benchmarks.
uvola: $(BUILD_DIR)/CMakeCache.txt
	@$(STEP) "Building uvola" $(BUILD_DIR)/uvola-build.log \
		cmake --build $(BUILD_DIR) -j $(JOBS) --target uvola

run: uvola
	@sh scripts/run-uvola.sh $(BUILD_DIR)/mainwin/uvola

test: build
	@cd $(BUILD_DIR) && ctest -j $(JOBS) --output-on-failure

# The program as bin/uvola, the data as share/uvola and the manual page
# under PREFIX, all staged under DESTDIR when it is set.
install: uvola
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"

clean:
	rm -rf $(BUILD_DIR)
