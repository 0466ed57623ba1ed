#!/usr/bin/env bash
# Only the platform layer may reach Qt's modal dialogs, the system clock and other processes directly;
# everything above it goes through the seams, so that tests can replace them.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

pattern='QMessageBox|QFileDialog|QPrintDialog|QPrintPreviewDialog|QPageSetupDialog|QInputDialog|QDateTime::currentDateTime|QDate::currentDate|QTime::currentTime|QProcess|QDesktopServices'
if grep -rnE "$pattern" "$root/src" --include='*.cpp' --include='*.h' | grep -v "^$root/src/platform/"; then
    echo "check-layering: the lines above bypass the platform seams" >&2
    exit 1
fi
echo "check-layering: ok"
