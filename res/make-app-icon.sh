#!/bin/sh
# Renders the application icon arkive.svg to the 48x48 arkive.png beside it.
# Needs rsvg-convert (Debian package librsvg2-bin); the build only copies the
# committed picture, so run this again after changing the drawing.
set -eu
cd "$(dirname "$0")"
rsvg-convert --width 48 --height 48 --output arkive.png arkive.svg
