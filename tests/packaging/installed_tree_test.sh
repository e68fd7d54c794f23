#!/usr/bin/env bash
# Installs the build into a temporary prefix, validates the desktop entry and the AppStream
# metadata, builds the MIME database of its file types, runs its thumbnailer as a file manager
# would, moves the tree elsewhere (it must be relocatable) and checks that the launcher's
# first start writes a bw.cfg naming the installed sample library, then starts the program from
# the configuration folder.
#   installed_tree_test.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null
app=org.beastwright.Beastwright
desktop-file-validate "$work/prefix/share/applications/$app.desktop"
appstreamcli validate --no-net "$work/prefix/share/metainfo/$app.metainfo.xml"
for size in 16 32 48 256; do
    file "$work/prefix/share/icons/hicolor/${size}x${size}/apps/$app.png" | grep -q "$size x $size"
done
grep -q '^Exec=beastwright-launcher$' "$work/prefix/share/applications/$app.desktop"
grep -q '^MimeType=application/x-beastwright-object;application/x-beastwright-project;$' \
    "$work/prefix/share/applications/$app.desktop"

# The file types: the database built from the installed package knows both, and the object
# file's magic.
update-mime-database "$work/prefix/share/mime"
for type in object project; do
    [ -f "$work/prefix/share/mime/application/x-beastwright-$type.xml" ]
done
grep -q 'application/x-beastwright-object' "$work/prefix/share/mime/magic"
grep -q '\*\.bwo' "$work/prefix/share/mime/globs2"

# The thumbnailer, run as a file manager runs it: %s the size, %i the file, %o the picture, with
# no display at all.
thumbnailer=$work/prefix/share/thumbnailers/beastwright.thumbnailer
grep -qx 'MimeType=application/x-beastwright-object;' "$thumbnailer"
command=$(sed -n 's/^Exec=//p' "$thumbnailer")
object=$work/prefix/share/beastwright/Objects/Library/Head/Male-Square.bwo
command=${command//%s/128}
command=${command//%i/\"$object\"}
command=${command//%o/\"$work/thumbnail.png\"}
(cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY PATH="$work/prefix/bin:$PATH" sh -c "$command")
file "$work/thumbnail.png" | grep -q 'PNG image data, 128 x 128'

# Relocate, and stand a recorder in for the program: it shows where it was started.
mv "$work/prefix" "$work/moved"
cat >"$work/moved/bin/beastwright" <<'REC'
#!/bin/sh
pwd > "$HOME/started-in"
REC
chmod +x "$work/moved/bin/beastwright"
export HOME=$work/home XDG_CONFIG_HOME=$work/home/config
mkdir -p "$HOME"
"$work/moved/bin/beastwright-launcher"
[ "$(cat "$HOME/started-in")" = "$XDG_CONFIG_HOME/beastwright" ]
cfg=$XDG_CONFIG_HOME/beastwright/bw.cfg
grep -qx "ObjectDir $work/moved/share/beastwright/Objects/Library" "$cfg"
grep -qx "ProjectDir $HOME/Beastwright Projects" "$cfg"
[ -f "$HOME/Beastwright Projects/Male.bwp" ]
# Poses sit beside their projects.
cmp "$work/moved/share/beastwright/Projects/Male.bwpose" "$HOME/Beastwright Projects/Male.bwpose"
[ -d "$work/moved/share/beastwright/Objects/Library/Head" ]
# A later start keeps the user's configuration.
echo "ConvertObjectName Mine" >"$cfg"
"$work/moved/bin/beastwright-launcher"
[ "$(cat "$cfg")" = "ConvertObjectName Mine" ]
"$work/moved/bin/bwtool" info "$work/moved/share/beastwright/Objects/Library/Head/Male-Square.bwo" \
    | grep -q '"bodyPart": 0'
echo "installed tree: valid, relocatable, first start configured"
