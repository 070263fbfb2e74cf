# Precompiled headers: the Qt and standard headers nearly every file includes. Parsing them was
# most of a compile step, so each build tree compiles every set once and the targets of its kind
# reuse it. Measured on 2 cores: the plain tree's build took about 490 s of CPU with them
# against 990 s without.
#
# Only headers of Qt and the standard library go in, so an edit of our own headers rebuilds no
# set. A file still includes what it uses: clang-tidy (scripts/check_tidy.sh) compiles each file
# without these sets and stops at a missing include. -DCMAKE_DISABLE_PRECOMPILE_HEADERS=ON builds
# without them.
set(QUARVEL_PCH_core
    <algorithm> <array> <functional> <memory> <optional> <utility> <vector>
    <QByteArray> <QDir> <QFile> <QFileInfo> <QHash> <QList> <QSet> <QString> <QStringList>
    <QStringView>)
set(QUARVEL_PCH_widgets ${QUARVEL_PCH_core}
    <QAction> <QApplication> <QIcon> <QLabel> <QListWidget> <QMainWindow> <QPainter> <QPointer>
    <QPushButton> <QSplitter> <QThread> <QVBoxLayout> <QWidget>)
set(QUARVEL_PCH_test ${QUARVEL_PCH_core} <QCoreApplication> <QProcess> <QTemporaryDir> <QTest>)
set(QUARVEL_PCH_widget_test ${QUARVEL_PCH_widgets} <QProcess> <QTemporaryDir> <QTest>)

# quarvel_precompiled_headers(<target> <kind>): the set of <kind> (core, widgets, test,
# widget_test) for <target>. The first target of a kind compiles it, the others reuse that file;
# GCC takes a shared file only when the flags and macros it depends on match (-Winvalid-pch,
# which CMake adds, says when they do not), so a kind groups targets built alike: the engine's
# layers and quarvel-gen, the widget layers and quarvel, the tests with and without widgets.
function(quarvel_precompiled_headers target kind)
  if(NOT DEFINED QUARVEL_PCH_${kind})
    message(FATAL_ERROR "quarvel_precompiled_headers: no header set ${kind}")
  endif()
  get_property(owner GLOBAL PROPERTY QUARVEL_PCH_OWNER_${kind})
  if(owner)
    target_precompile_headers(${target} REUSE_FROM ${owner})
  else()
    target_precompile_headers(${target} PRIVATE ${QUARVEL_PCH_${kind}})
    set_property(GLOBAL PROPERTY QUARVEL_PCH_OWNER_${kind} ${target})
  endif()
endfunction()
