#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and the sqlite3 shell the README
# shows, only when some are missing.
set -euo pipefail
pacotes=(g++ cmake ninja-build qt6-base-dev libqt6sql6-sqlite libsqlite3-dev
         libgtest-dev libgmock-dev libbenchmark-dev qt6-translations-l10n sqlite3)
faltam=()
for p in "${pacotes[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || faltam+=("$p")
done
if [ ${#faltam[@]} -gt 0 ]; then
  echo "Instalando: ${faltam[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${faltam[@]}" >/dev/null
fi
