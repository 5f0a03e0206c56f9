#!/usr/bin/env bash
# Installs the program built in a build folder into its program folder: the executable, the
# report templates and the sort-order extension side by side. What the program keeps there
# (dados.mdb and the files beside it) is left as it is. The folder must lie outside the source
# and build trees: deleting or cleaning those must never take the data with them.
#   bash scripts/instala.sh build ~/quelmar
set -euo pipefail
construcao="$1"
pasta="$(realpath -m "$2")"
fontes="$(cd "$(dirname "$0")/.." && pwd -P)"
for arvore in "$fontes" "$(realpath -m "$construcao")"; do
  case "$pasta/" in
    "$arvore"/*)
      echo "A pasta do programa ($pasta) não pode ficar dentro de $arvore: os dados do" \
           "estacionamento seriam apagados com ela. Escolha outra pasta em QUELMAR_PASTA." >&2
      exit 2 ;;
  esac
done
mkdir -p "$pasta"
cmake --install "$construcao" --prefix "$pasta" >/dev/null
