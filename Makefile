# The two commands of the README: `make run` and `make test`.
BUILD ?= build
TEST_BUILD ?= build-test
JOBS ?= 2

.PHONY: run test

run:
	./tools/install-packages.sh run
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVRA_TESTS=OFF
	cmake --build $(BUILD) -j $(JOBS)
	$(BUILD)/program/vra

test:
	./tools/install-packages.sh test
	cmake -S . -B $(TEST_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVRA_WERROR=ON -DVRA_SANITIZE=ON
	cmake --build $(TEST_BUILD) -j $(JOBS)
	ctest --test-dir $(TEST_BUILD) --output-on-failure -j $(JOBS)
