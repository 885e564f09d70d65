# Entry points for a fresh Debian 12 machine:
#   make run           installs what is missing, builds, starts Orvantide
#   make test          installs what is missing, builds, runs every test
#   make windows       the same for 64-bit Windows: the toolkit (once), the program, the zip
#   make test-windows  the Windows build's tests under Wine
BUILD       ?= build
BUILD_TYPE  ?= Release
CMAKE_FLAGS ?=
JOBS        ?= $(shell nproc)

PACKAGES := cmake make g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev \
            fonts-dejavu-core fonts-liberation2 poppler-utils xvfb python3-xlib \
            libxcb1-dev
EXTRA_PACKAGES ?=

WIN_BUILD    ?= build-windows
WIN_CACHE    ?= $(HOME)/.cache/orvantide-windows
WIN_QT       ?= $(WIN_CACHE)/qt-6.4.2
WIN_PACKAGES := cmake make ninja-build g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix \
                binutils-mingw-w64-x86-64 qt6-base-dev qt6-base-dev-tools dpkg-dev libgtest-dev \
                wine64 zip unzip fonts-liberation2 poppler-utils xvfb openbox python3-xlib

.PHONY: all deps configure build run test clean windows test-windows

all: build

deps:
	@missing=""; \
	for p in $(PACKAGES) $(EXTRA_PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing Debian packages:$$missing"; \
	  if [ "$$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi; \
	  $$SUDO apt-get update && \
	  $$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y $$missing; \
	fi

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -x $(BUILD)/orvantide ]; then exec ./$(BUILD)/orvantide; \
	else echo "There is no program to start yet: $(BUILD)/orvantide has not been built."; fi

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

windows:
	$(MAKE) deps PACKAGES="$(WIN_PACKAGES)"
	JOBS=$(JOBS) windows/build-toolkit.sh $(WIN_QT)
	cmake -S . -B $(WIN_BUILD) -DCMAKE_BUILD_TYPE=Release \
	      -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/windows/mingw-w64.cmake \
	      -DCMAKE_PREFIX_PATH=$(WIN_QT) -DQT_HOST_PATH=/usr \
	      -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/$$(gcc -dumpmachine)/cmake $(CMAKE_FLAGS)
	cmake --build $(WIN_BUILD) -j $(JOBS)

test-windows: windows
	windows/make-wine-prefix.sh $(WIN_BUILD)/wine
	windows/make-wine-prefix.sh $(WIN_BUILD)/wine-x11
	cd $(WIN_BUILD) && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) $(WIN_BUILD)
