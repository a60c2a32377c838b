#!/usr/bin/env bash
# Runs conformance.js against quillet-dap with the third-party client installed in the build
# folder (never globally). Without Node.js or the client the test is skipped (exit 77), unless
# QUILLET_DAP_CLIENT_REQUIRED=1 says that this machine was set up for it: then it fails.
#   run-conformance.sh <quillet-dap> <client folder>
set -uo pipefail
adapter=$1
client=$2
package="@vscode/debugadapter-testsupport"
version="1.68.0"
here=$(cd "$(dirname "$0")" && pwd)

unavailable() {
  if [ "${QUILLET_DAP_CLIENT_REQUIRED:-0}" = 1 ]; then
    echo "FAIL: $1 (QUILLET_DAP_CLIENT_REQUIRED=1)" >&2
    exit 1
  fi
  echo "SKIPPED: $1; set up with: npm install --prefix $client $package@$version" >&2
  exit 77
}

command -v node >/dev/null || unavailable "node is not installed"
if [ ! -f "$client/node_modules/$package/package.json" ]; then
  command -v npm >/dev/null || unavailable "npm is not installed and $package is missing"
  mkdir -p "$client"
  npm install --prefix "$client" --no-save --no-audit --no-fund "$package@$version" >&2 ||
    unavailable "$package@$version could not be installed"
fi
exec node "$here/conformance.js" "$adapter" "$client"
