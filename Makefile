# Entry points for users and CI. The build lives in build/, binaries in build/bin/.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: deps configure build run test bench fuzz screenshot check-writeback clean

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS) -DBUILD_TESTING=ON -DBUILD_BENCHMARKS=ON >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@$(BUILD_DIR)/bin/tarnvale

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) --timeout 300

bench: build
	@bash bench/run.sh $(BUILD_DIR)

fuzz: deps
	@bash fuzz/run.sh

screenshot: build
	@QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/bin/tarnvale-screenshots screenshots

check-writeback: build
	@bash scripts/check-writeback.sh $(BUILD_DIR)

clean:
	@rm -rf $(BUILD_DIR)
