#!/usr/bin/env bash
# Installs what is missing, builds Tarnwick, analyses the bundled IBM sample
# history and draws its chart page into build/IBM-chart.png.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh build -DCMAKE_BUILD_TYPE=Release -DTARNWICK_TESTS=OFF -DTARNWICK_BENCH=OFF
build/src/cli/tarnwick-cli analyze --quote-dir data/sample/IBM --symbol IBM "$@"
build/src/cli/tarnwick-cli render --quote-dir data/sample/IBM --symbol IBM --out build/IBM-chart.png
