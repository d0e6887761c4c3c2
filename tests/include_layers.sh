#!/usr/bin/env bash
# Fails on an #include that points up the layers or sideways between screen
# modules. A file under src/<module>/, tests/<module>/ or one of the program's
# other folders may include headers of its own module and of the modules its
# row below allows, nothing else; a header named without a folder (a test's
# fixture, a file beside it) is its own folder's business.
#
# Usage: include_layers.sh [ROOT]   (ROOT: the source tree, default: this one)
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}

lower="data state articles documents ui"
screens="shell entry lists confirm labels supplier_orders"
# The one table of allowed dependencies: what each module may include besides itself.
declare -A allowed=(
  [data]=""
  [state]="data"
  [articles]="data state"
  [documents]="data state articles"
  [ui]="data state articles documents"
  [shell]="$lower"
  [entry]="$lower"
  [lists]="$lower"
  [confirm]="$lower"
  [labels]="$lower"
  [supplier_orders]="$lower"
  [app]="$lower $screens"
  # Outside src/: the tools and benchmarks use the whole program, the fuzz
  # target the article rules, the tests' fixtures the layers below the screens.
  [tools]="$lower $screens app"
  [bench]="$lower $screens app"
  [fuzz]="data state articles"
  [support]="$lower"
)

failures=0
check_folder() { # module folder
  local module=$1 folder=$2
  if [[ ! -v allowed[$module] ]]; then
    echo "${folder#"$root"/}: module '$module' has no row in the table of allowed includes ($0)"
    failures=$((failures + 1))
    return
  fi
  local file line target dep
  while IFS= read -r -d '' file; do
    while IFS=: read -r line target; do
      dep=${target%%/*}
      [[ $dep == "$target" ]] && continue # no folder: a header beside it or a fixture
      [[ $dep == "$module" ]] && continue
      if [[ " ${allowed[$module]} " != *" $dep "* ]]; then
        echo "${file#"$root"/}:$line: $module may not include \"$target\" (allowed: ${allowed[$module]:-none})"
        failures=$((failures + 1))
      fi
    done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" |
      sed -E 's/^([0-9]+):[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1:\2/')
  done < <(find "$folder" -type f \( -name '*.h' -o -name '*.cpp' \) -print0)
}

for folder in "$root"/src/*/; do
  folder=${folder%/}
  check_folder "$(basename "$folder")" "$folder"
done
for folder in "$root"/tests/*/; do
  folder=${folder%/}
  check_folder "$(basename "$folder")" "$folder"
done
for module in app tools bench fuzz; do
  [[ -d $root/$module ]] && check_folder "$module" "$root/$module"
done

if ((failures)); then
  echo "$failures include(s) point up the layers or between screen modules"
  exit 1
fi
echo "includes follow the layers"
