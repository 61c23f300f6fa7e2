# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the shell tests: fail records a failure and goes on; need stops
# at once when a tool the test runs is missing.
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
need() {
  command -v "$1" >/dev/null || {
    echo "FAIL: $1 not found; install the Debian package $2 (make test does)" >&2
    exit 1
  }
}
