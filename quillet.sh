#!/usr/bin/env bash
# Quillet's one developer command.
#   ./quillet.sh          install what is missing, build, and open Quillet on a sample script
#   ./quillet.sh test     install what is missing, build, and run every test
#   ./quillet.sh build    install what is missing and build
# Debian 12; packages are installed through apt-get as root or through sudo.
set -euo pipefail
cd "$(dirname "$0")"

BUILD_DIR=${QUILLET_BUILD_DIR:-build}
PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev
          libbenchmark-dev fonts-liberation ccache libqt6svg6 poppler-utils libpcre2-dev
          nlohmann-json3-dev)

install_missing() {
  local missing=()
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# The third-party client the debug adapter is tested with: Node.js from Debian, the npm package
# in the build folder (never installed globally).
install_dap_client() {
  # A Node.js that came with its own npm is used as it is: Debian's npm package would conflict with it.
  if ! command -v node >/dev/null || ! command -v npm >/dev/null; then install_missing nodejs npm; fi
  [ -d "$BUILD_DIR/dap-client/node_modules/@vscode/debugadapter-testsupport" ] && return 0
  npm install --prefix "$BUILD_DIR/dap-client" --no-save --no-audit --no-fund \
    @vscode/debugadapter-testsupport@1.68.0 >/dev/null
}

build() {
  install_missing "${PACKAGES[@]}"
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$BUILD_DIR" -j "$(nproc)"
}

case "${1:-run}" in
  run)
    build
    # Run script finds the hosts beside the editor once installed; in the build folder they
    # live apart, so they go on the search path.
    PATH="$(cd "$BUILD_DIR/engine/host" && pwd):$PATH" exec "$BUILD_DIR/src/app/ui/quillet" resources/samples/hello.vbs
    ;;
  build)
    build
    ;;
  test)
    build
    install_dap_client
    # The client is installed now: the debug adapter's conformance test fails, not skips, without it.
    QUILLET_DAP_CLIENT_REQUIRED=1 ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$(nproc)"
    ;;
  *)
    sed -n '2,6p' "$0"
    exit 2
    ;;
esac
