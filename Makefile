# The two commands of the README. Both set up what is missing first.
.PHONY: test run screenshot deps bench dist fuzz clean

test:
	@bash scripts/test-all.sh

run:
	@bash scripts/run.sh

screenshot:
	@bash scripts/screenshot.sh

deps:
	@bash scripts/install-deps.sh

bench:
	@bash scripts/bench-all.sh

dist:
	@bash scripts/dist.sh

# make fuzz FUZZ_SECONDS=600: each target that long (default 60).
fuzz:
	@bash scripts/fuzz.sh $(FUZZ_SECONDS)

clean:
	@if [ -d build/win64/wineprefix ]; then bash scripts/wine-env.sh stop build/win64/wineprefix; fi
	rm -rf build
