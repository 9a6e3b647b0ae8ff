# The two commands of the README, `make run` and `make test`; `make fuzz`, `make deb` and
# `make mutate` (MUTATE="--count 60 --seed 1" passes options to tools/mutate).
BUILD ?= build
TEST_BUILD ?= build-test
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= 2

.PHONY: run test fuzz deb mutate

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

fuzz:
	./tools/install-packages.sh fuzz
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DVRA_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	./tests/fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

deb:
	./tools/install-packages.sh deb
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVRA_TESTS=OFF
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && cpack -G DEB

mutate:
	./tools/install-packages.sh mutate
	./tools/mutate $(MUTATE)
