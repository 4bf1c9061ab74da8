#include "platform/desktop/DefaultApplications.h"
#include "platform/desktop/DesktopEntry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QTemporaryDir>
#include <QTest>

using platform::DesktopEntry;

namespace {

DesktopEntry entryWithExec(const QString& exec)
{
    DesktopEntry entry;
    entry.type = QStringLiteral("Application");
    entry.name = QStringLiteral("Przeglądarka");
    entry.icon = QStringLiteral("viewer");
    entry.fileName = QStringLiteral("/apps/viewer.desktop");
    entry.exec = exec;
    return entry;
}

QString application(const QString& mimeTypes, const QString& extra = {})
{
    return QStringLiteral("[Desktop Entry]\nType=Application\nName=App\nExec=sh %f\nMimeType=%1\n%2")
        .arg(mimeTypes, extra);
}

} // namespace

class TestDesktopHandlers : public QObject {
    Q_OBJECT
private slots:
    void splitExec_data()
    {
        QTest::addColumn<QString>("exec");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("blanks and tabs separate") << "run  a\tb" << QStringList { "run", "a", "b" };
        QTest::newRow("double quotes keep blanks and take escapes")
            << "\"/opt/my app/run\" \"say \\\"hi\\\" \\$HOME \\\\ \\`x\\`\""
            << QStringList { "/opt/my app/run", "say \"hi\" $HOME \\ `x`" };
        QTest::newRow("single quotes as a shell reads them")
            << "sh -c 'echo \"$1\"' x" << QStringList { "sh", "-c", "echo \"$1\"", "x" };
        QTest::newRow("quotes inside one argument") << "--name=\"a b\"c" << QStringList { "--name=a bc" };
        QTest::newRow("empty quoted argument") << "run \"\"" << QStringList { "run", "" };
    }
    void splitExec()
    {
        QFETCH(QString, exec);
        QFETCH(QStringList, arguments);
        const std::optional<QStringList> split = platform::splitExec(exec);
        QVERIFY(split);
        QCOMPARE(*split, arguments);
    }

    void openQuoteIsMalformed()
    {
        QVERIFY(!platform::splitExec(QStringLiteral("run \"a b")));
        QVERIFY(!platform::splitExec(QStringLiteral("run 'a b")));
        QVERIFY(!platform::commandForFile(entryWithExec(QStringLiteral("\"run %f")), QStringLiteral("/f")));
        // Nothing left to run: the file itself must not become the program.
        QVERIFY(!platform::commandForFile(entryWithExec(QStringLiteral("%d %m")), QStringLiteral("/f")));
    }

    void commandForFile_data()
    {
        QTest::addColumn<QString>("exec");
        QTest::addColumn<QStringList>("parameters");
        QTest::addColumn<QStringList>("command");
        const QString file = QStringLiteral("/mnt/płyta 5/SETUP.EXE");
        QTest::newRow("file code") << "wine start /unix %f" << QStringList {}
                                   << QStringList { "wine", "start", "/unix", file };
        QTest::newRow("url code") << "viewer %U" << QStringList {}
                                  << QStringList { "viewer", "file:///mnt/p%C5%82yta%205/SETUP.EXE" };
        QTest::newRow("no file code: the file goes last")
            << "viewer --new" << QStringList {} << QStringList { "viewer", "--new", file };
        QTest::newRow("the file is given once") << "tool %f %F" << QStringList {} << QStringList { "tool", file };
        QTest::newRow("icon, name, entry file, percent; deprecated codes dropped")
            << "app %i --name=%c %k 100%% %d %m --open=%f" << QStringList {}
            << QStringList { "app", "--icon", "viewer", "--name=Przeglądarka", "/apps/viewer.desktop", "100%",
                   "--open=" + file };
        QTest::newRow("parameters after the file, whole")
            << "wine %f" << QStringList { "/S", QString(120, u'x') + " y" }
            << QStringList { "wine", file, "/S", QString(120, u'x') + " y" };
    }
    void commandForFile()
    {
        QFETCH(QString, exec);
        QFETCH(QStringList, parameters);
        QFETCH(QStringList, command);
        const std::optional<QStringList> built
            = platform::commandForFile(entryWithExec(exec), QStringLiteral("/mnt/płyta 5/SETUP.EXE"), parameters);
        QVERIFY(built);
        QCOMPARE(*built, command);
    }

    void desktopEntryIsReadFromItsGroup()
    {
        const std::optional<DesktopEntry> entry
            = platform::parseDesktopEntry(QStringLiteral("# comment\n"
                                                         "[Desktop Entry]\n"
                                                         "Type = Application\n"
                                                         "Name=Instalator\n"
                                                         "Name[pl]=Instalator PL\n"
                                                         "Exec=run\\s\"a\\\\\\\\b\" %f\n"
                                                         "MimeType=application/x-one;application/x-a\\;b;\n"
                                                         "[Desktop Action other]\n"
                                                         "Exec=other %f\n"));
        QVERIFY(entry);
        QCOMPARE(entry->name, QStringLiteral("Instalator"));
        QCOMPARE(entry->exec, QStringLiteral("run \"a\\\\b\" %f"));
        QCOMPARE(platform::splitExec(entry->exec).value_or(QStringList()), (QStringList { "run", "a\\b", "%f" }));
        QCOMPARE(entry->mimeTypes, (QStringList { "application/x-one", "application/x-a;b" }));
        QVERIFY(entry->isStartable());
        QVERIFY(!platform::parseDesktopEntry(QStringLiteral("[Other]\nExec=x\n")));
    }

    void startable_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<bool>("startable");
        QTest::newRow("application") << "Type=Application\nExec=sh %f" << true;
        QTest::newRow("hidden") << "Type=Application\nExec=sh %f\nHidden=true" << false;
        QTest::newRow("link") << "Type=Link\nExec=sh %f" << false;
        QTest::newRow("no exec") << "Type=Application" << false;
        QTest::newRow("try exec found") << "Type=Application\nExec=sh %f\nTryExec=sh" << true;
        QTest::newRow("try exec missing") << "Type=Application\nExec=sh %f\nTryExec=no-such-program-here" << false;
    }
    void startable()
    {
        QFETCH(QString, keys);
        QFETCH(bool, startable);
        const std::optional<DesktopEntry> entry
            = platform::parseDesktopEntry(QStringLiteral("[Desktop Entry]\n") + keys + u'\n');
        QVERIFY(entry);
        QCOMPARE(entry->isStartable(), startable);
    }

    // Two config folders and two data folders, most preferred first, as XDG_*_HOME and XDG_*_DIRS
    // give them. Files are "folder/path" = content.
    void defaultApplication_data()
    {
        QTest::addColumn<QVariantMap>("files");
        QTest::addColumn<QStringList>("desktops");
        QTest::addColumn<QString>("expected");
        const QString a = application(QStringLiteral("x/t;"));
        const QVariantMap two { { "data1/applications/a.desktop", a }, { "data2/applications/b.desktop", a } };
        const auto with = [&](QVariantMap more) {
            for (auto it = two.cbegin(); it != two.cend(); ++it)
                if (!more.contains(it.key()))
                    more.insert(it.key(), it.value());
            return more;
        };
        QTest::newRow("none registered") << QVariantMap {} << QStringList {} << "";
        QTest::newRow("entries of the preferred data folder first") << two << QStringList {} << "a.desktop";
        QTest::newRow("entry in a subfolder has a dashed id")
            << with({ { "data1/applications/a.desktop", application("x/other") },
                   { "data2/applications/kde/c.desktop", a }, { "data2/applications/b.desktop", "" } })
            << QStringList {} << "kde-c.desktop";
        QTest::newRow("default of a data folder's list")
            << with({ { "data2/applications/mimeapps.list", "[Default Applications]\nx/t=b.desktop\n" } })
            << QStringList {} << "b.desktop";
        QTest::newRow("config list before data list; a missing default gives way")
            << with({ { "data2/applications/mimeapps.list", "[Default Applications]\nx/t=a.desktop\n" },
                   { "config2/mimeapps.list", "[Default Applications]\nX/T=gone.desktop;b.desktop;\n" } })
            << QStringList {} << "b.desktop";
        QTest::newRow("desktop's own list first")
            << with({ { "config1/mimeapps.list", "[Default Applications]\nx/t=a.desktop\n" },
                   { "config1/xfce-mimeapps.list", "[Default Applications]\nx/t=b.desktop\n" } })
            << QStringList { "xfce" } << "b.desktop";
        QTest::newRow("other desktop's list not read")
            << with({ { "config1/mimeapps.list", "[Default Applications]\nx/t=a.desktop\n" },
                   { "config1/gnome-mimeapps.list", "[Default Applications]\nx/t=b.desktop\n" } })
            << QStringList { "xfce" } << "a.desktop";
        QTest::newRow("removed association")
            << with({ { "config1/mimeapps.list", "[Removed Associations]\nx/t=a.desktop\n" } }) << QStringList {}
            << "b.desktop";
        QTest::newRow("added association before the entries' own types")
            << with({ { "data2/applications/c.desktop", application("x/other") },
                   { "config2/mimeapps.list", "[Added Associations]\nx/t=c.desktop\n" } })
            << QStringList {} << "c.desktop";
        QTest::newRow("added above a removal stands")
            << with({ { "config1/mimeapps.list", "[Added Associations]\nx/t=b.desktop\n" },
                   { "config2/mimeapps.list", "[Removed Associations]\nx/t=b.desktop\n" } })
            << QStringList {} << "b.desktop";
        QTest::newRow("hidden entry hides the one below and is no handler")
            << with({ { "data1/applications/b.desktop", application("x/t", "Hidden=true") },
                   { "data1/applications/a.desktop", application("x/other") } })
            << QStringList {} << "";
        QTest::newRow("alias name") << QVariantMap { { "data2/applications/d.desktop", application("x/old-name") } }
                                    << QStringList {} << "d.desktop";
    }
    void defaultApplication()
    {
        QFETCH(QVariantMap, files);
        QFETCH(QStringList, desktops);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        for (auto it = files.cbegin(); it != files.cend(); ++it) {
            QFile file(dir.filePath(it.key()));
            QVERIFY(QDir().mkpath(QFileInfo(file).path()));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(it.value().toString().toUtf8());
        }
        platform::XdgFolders folders;
        folders.config = QStringList { dir.filePath("config1"), dir.filePath("config2") };
        folders.data = QStringList { dir.filePath("data1"), dir.filePath("data2") };
        folders.desktopNames = desktops;
        const std::optional<DesktopEntry> found
            = platform::DesktopApplications(folders).defaultForType({ "x/t", "x/old-name" });
        QCOMPARE(found ? found->id : QString(), expected);
    }

    // The types a file is a kind of, from the system's MIME database.
    void parentTypesButNotAnyBytes()
    {
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath("data/applications")));
        const auto install = [&](const QString& id, const QString& types) {
            QFile file(dir.filePath("data/applications/" + id));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(application(types).toUtf8());
        };
        install(QStringLiteral("bytes.desktop"), QStringLiteral("application/octet-stream"));
        install(QStringLiteral("text.desktop"), QStringLiteral("text/plain"));
        platform::XdgFolders folders;
        folders.data = QStringList { dir.filePath("data") };
        const platform::DesktopApplications applications(folders);
        const QMimeDatabase database;
        const QMimeType source = database.mimeTypeForName(QStringLiteral("text/x-csrc"));
        QVERIFY2(source.isValid(), "the system's MIME database is missing");
        QCOMPARE(applications.defaultFor(source).value_or(DesktopEntry()).id, QStringLiteral("text.desktop"));
        QVERIFY(!applications.defaultFor(database.mimeTypeForName(QStringLiteral("application/x-ms-dos-executable"))));
    }
};

QTEST_GUILESS_MAIN(TestDesktopHandlers)
#include "tst_desktop_handlers.moc"
