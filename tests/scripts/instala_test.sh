#!/usr/bin/env bash
# The run command's install step on a clean folder: the program with its report templates and
# the sort-order extension beside it; a second install keeps the data the program wrote there
# and the templates the site edited, and updates those it did not; a program folder inside the
# source or the build tree is refused and nothing is made there.
#   bash tests/scripts/instala_test.sh <build folder>
set -uo pipefail
construcao="$1"
fontes="$(cd "$(dirname "$0")/../.." && pwd -P)"
limpa="$(mktemp -d)"
trap 'rm -rf "$limpa"' EXIT
pasta="$limpa/programa"
falhas=0
confere() {   # confere "what" command...
  local oque="$1"; shift
  if ! "$@"; then echo "FALHOU: $oque" >&2; falhas=$((falhas + 1)); fi
}

confere "instalação numa pasta nova" bash "$fontes/scripts/instala.sh" "$construcao" "$pasta"
confere "o programa" test -x "$pasta/quelmar"
confere "a ordem geral para o sqlite3" test -f "$pasta/ordem_geral.so"
esperados=(quelmar ordem_geral.so .modelos_instalados)
for modelo in "$fontes"/reports/*.rpt "$fontes"/reports/LEIAME.txt; do
  nome="$(basename "$modelo")"
  esperados+=("$nome")
  confere "o modelo $nome" cmp -s "$modelo" "$pasta/$nome"
done
confere "nada além do programa e do que ele usa" \
  test "$(ls -A "$pasta" | sort)" = "$(printf '%s\n' "${esperados[@]}" | sort)"

# What the program keeps in its folder stays through another install.
printf 'registros do estacionamento' > "$pasta/dados.mdb"
printf 'leitura X' > "$pasta/impressora_fiscal.txt"
printf 'modelo alterado' > "$pasta/rel_usu.rpt"
# A template an earlier version installed, left as it was.
printf 'modelo anterior' > "$pasta/rel_tab.rpt"
sed -i "s/^[0-9a-f]*  rel_tab.rpt\$/$(sha256sum < "$pasta/rel_tab.rpt" | cut -d' ' -f1)  rel_tab.rpt/" \
  "$pasta/.modelos_instalados"
aviso="$(bash "$fontes/scripts/instala.sh" "$construcao" "$pasta" 2>&1 >/dev/null)"
confere "segunda instalação" test $? -eq 0
confere "dados.mdb mantido" test "$(cat "$pasta/dados.mdb")" = 'registros do estacionamento'
confere "diário fiscal mantido" test "$(cat "$pasta/impressora_fiscal.txt")" = 'leitura X'
confere "modelo alterado mantido, e dito" grep -q "rel_usu.rpt foi alterado nesta pasta e foi mantido" <<<"$aviso"
confere "modelo anterior atualizado" cmp -s "$fontes/reports/rel_tab.rpt" "$pasta/rel_tab.rpt"
bash "$fontes/scripts/instala.sh" "$construcao" "$pasta" 2>/dev/null
confere "modelo alterado mantido em cada instalação" test "$(cat "$pasta/rel_usu.rpt")" = 'modelo alterado'

# A program folder that a clean build or git clean would delete is refused.
for dentro in "$fontes/programa_teste_instalacao" "$construcao/programa_teste_instalacao"; do
  if bash "$fontes/scripts/instala.sh" "$construcao" "$dentro" 2>/dev/null; then
    echo "FALHOU: pasta aceita dentro da árvore: $dentro" >&2
    falhas=$((falhas + 1))
  fi
  confere "nada criado em $dentro" test ! -e "$dentro"
done

[ "$falhas" -eq 0 ]
