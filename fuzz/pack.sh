#!/bin/sh
# Packs a level folder into one fuzz input (the format PackedFiles.h reads):
# the level file, then each archetype file after a "=== NAME" line.
#   fuzz/pack.sh Resources/Levels/Ship > fuzz/corpus/level_check/ship
# With -a, packs only the Archetypes folder (an archetype_files input).
set -eu
only_archetypes=0
if [ "${1:-}" = -a ]; then only_archetypes=1; shift; fi
folder=${1:?usage: pack.sh [-a] <level folder>}
level=$(basename "$folder")
# A header starts a line; the newline before it ends the file above.
before=''
if [ "$only_archetypes" = 0 ]; then cat "$folder/$level.txt"; before='\n'; fi
for file in "$folder"/Archetypes/*; do
  [ -f "$file" ] || continue
  printf "$before=== %s\n" "$(basename "$file")"
  cat "$file"
  before='\n'
done
