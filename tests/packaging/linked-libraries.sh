#!/bin/sh
# zeltacli links Qt Core, Gui and Svg at most: nothing of the widget, UI-tools, OpenGL,
# printing or network libraries, directly or through the libraries it loads.
set -u
program=$1
needed=$(readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
[ -n "$needed" ] || { echo "no NEEDED entries read from $program"; exit 1; }
echo "$needed" | grep -q '^libQt6Core\.so' || { echo "zeltacli does not link Qt Core:"; echo "$needed"; exit 1; }
forbidden='Qt6Widgets|Qt6UiTools|Qt6OpenGL|Qt6PrintSupport|Qt6Network|libGL\.|libGLX|libOpenGL'
status=0
if echo "$needed" | grep -E "$forbidden"; then
    echo "^ linked directly by $program"
    status=1
fi
for lib in $(echo "$needed" | grep '^libQt6'); do
    case $lib in
    libQt6Core.so* | libQt6Gui.so* | libQt6Svg.so*) ;;
    *) echo "$lib: not one of Qt Core, Gui and Svg"; status=1 ;;
    esac
done
# What the dynamic loader brings in along with them.
if ldd "$program" | grep -E 'Qt6Widgets|Qt6UiTools|Qt6OpenGL|Qt6PrintSupport|Qt6Network'; then
    echo "^ loaded with $program"
    status=1
fi
[ $status = 0 ] && echo "zeltacli links: $(echo $needed)"
exit $status
