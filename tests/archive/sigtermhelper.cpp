// Starts one compress command through the dialog, then sends itself SIGTERM
// and SIGUSR1. It must still be running afterwards: it prints "alive" and
// ends with status 0. Argument: a file to pack into a .tar beside it.
#include "compressdialog.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>

#include <csignal>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2)
        return 2;
    const QFileInfo file(QString::fromLocal8Bit(argv[1]));
    CompressDialog dialog;
    dialog.setFiles({file.absoluteFilePath()});
    dialog.setOutDir(file.absolutePath());
    dialog.setArchiveName(QStringLiteral("signalled"));
    auto* box = dialog.findChild<QComboBox*>();
    box->setCurrentIndex(box->findText(QStringLiteral(".tar")));
    dialog.accept();
    kill(getpid(), SIGTERM);
    kill(getpid(), SIGUSR1);
    std::fputs("alive\n", stdout);
    return 0;
}
