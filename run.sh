#!/usr/bin/env bash
# Installs what is missing, builds, and starts kondra on its bundled installation.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh build
exec build/bin/kondra "$@"
