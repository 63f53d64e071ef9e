#!/usr/bin/env bash
# Draws Vendrel's window and its folder chooser offscreen in each language that has a
# catalogue (or in the languages given), into docs/screenshot-LANG.png and
# docs/screenshot-LANG-chooser.png. No display needed.
# Usage: tools/make-screenshots.sh [LANG...]
set -euo pipefail
cd "$(dirname "$0")/.."

languages=("$@")
if [ ${#languages[@]} -eq 0 ]; then
  for ts in translations/vendrel_*.ts; do
    name=${ts##*/vendrel_}
    # English's catalogue holds only its plurals; its screenshot is docs/screenshot.png.
    [ "$name" = en.ts ] && continue
    languages+=("${name%.ts}")
  done
fi

cmake --preset app >/dev/null
cmake --build --preset app -j2 --target vendrel-screenshot >/dev/null
tool=build/app/src/app/vendrel-screenshot

# The chooser opens at a folder that exists; the window shows the folder a user would pick.
# Under /var/tmp, which holds less than /tmp, so the chooser shows few unrelated folders.
scratch=$(mktemp -d /var/tmp/vendrel-screenshots.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/Templates/Wedding-Titles/media"

for lang in "${languages[@]}"; do
  LANGUAGE=$lang "$tool" --finished "docs/screenshot-$lang.png" /home/ana/Templates/Wedding-Titles
  LANGUAGE=$lang "$tool" --chooser "docs/screenshot-$lang-chooser.png" "$scratch/window.png" \
    "$scratch/Templates/Wedding-Titles"
  echo "docs/screenshot-$lang.png docs/screenshot-$lang-chooser.png"
done
