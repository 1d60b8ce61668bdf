// The program as it is shipped: the desktop entry and the AppStream data pass their
// validators; CPack makes a Debian package that holds the launcher, the program, the
// companion, the shipped data, the desktop entry, the icon, the AppStream data and the
// licence; and the package unpacked into a scratch root runs: the companion computes,
// the launcher makes the user's state folder from the shipped data once.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <ostream>
#include <string>
#include <vector>

// Readable failure messages for Qt's strings.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& texts, std::ostream* out) {
    *out << '{';
    for (const QString& text : texts) *out << " \"" << text.toStdString() << '"';
    *out << " }";
}

namespace {

const QString kSource = QStringLiteral(OSTRELIX_SOURCE_DIR);
const QString kPackageDir = QStringLiteral(OSTRELIX_PACKAGE_DIR);

struct ProgramRun {
    int exitCode = -1;  // -1: did not start or did not end normally
    QString out;
    QString err;
};

ProgramRun RunProgram(
    const QString& program, const QStringList& arguments,
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
    int timeoutMs = 120000) {
    ProgramRun run;
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForStarted(timeoutMs)) {
        run.err = process.errorString();
        return run;
    }
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        run.err = QStringLiteral("timed out");
        return run;
    }
    if (process.exitStatus() == QProcess::NormalExit) run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

bool Installed(const QString& tool) { return !QStandardPaths::findExecutable(tool).isEmpty(); }

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every file below a folder, as paths relative to it, sorted.
QStringList FilesBelow(const QString& folder) {
    QStringList files;
    for (QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
         it.hasNext();) {
        files << QDir(folder).relativeFilePath(it.next());
    }
    files.sort();
    return files;
}

// Both folders hold the same files with the same bytes.
void ExpectSameFiles(const QString& expected, const QString& actual) {
    const QStringList files = FilesBelow(expected);
    ASSERT_FALSE(files.isEmpty()) << expected.toStdString();
    EXPECT_EQ(FilesBelow(actual), files) << actual.toStdString();
    for (const QString& file : files) {
        EXPECT_EQ(Bytes(QDir(actual).filePath(file)), Bytes(QDir(expected).filePath(file)))
            << file.toStdString() << " differs";
    }
}

// ---------------------------------------------------------------- desktop entry

struct ValidatorRow {
    const char* tool;
    const char* package;
    std::vector<const char*> arguments;
    const char* file;
};

class ShippedFiles : public ::testing::TestWithParam<ValidatorRow> {};

TEST_P(ShippedFiles, PassTheirValidator) {
    const ValidatorRow& row = GetParam();
    if (!Installed(QString::fromLatin1(row.tool))) {
        GTEST_SKIP() << row.tool << " is not installed (package " << row.package << ")";
    }
    QStringList arguments;
    for (const char* argument : row.arguments) arguments << QString::fromLatin1(argument);
    arguments << kSource + QStringLiteral("/packaging/") + QString::fromLatin1(row.file);
    const ProgramRun run = RunProgram(QString::fromLatin1(row.tool), arguments);
    EXPECT_EQ(run.exitCode, 0) << run.out.toStdString() << run.err.toStdString();
    // desktop-file-validate passes a file with warnings, and prints them.
    EXPECT_FALSE(run.out.contains(QStringLiteral("warning"), Qt::CaseInsensitive) ||
                 run.err.contains(QStringLiteral("warning"), Qt::CaseInsensitive))
        << run.out.toStdString() << run.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(DesktopEntry, ShippedFiles,
                         ::testing::Values(ValidatorRow{"desktop-file-validate",
                                                        "desktop-file-utils",
                                                        {},
                                                        "com.kestrom.Ostrelix.desktop"},
                                           ValidatorRow{"appstreamcli",
                                                        "appstream",
                                                        {"validate", "--no-net"},
                                                        "com.kestrom.Ostrelix.metainfo.xml"}),
                         [](const ::testing::TestParamInfo<ValidatorRow>& info) {
                             return info.index == 0 ? std::string("DesktopFile")
                                                    : std::string("Metainfo");
                         });

// ---------------------------------------------------------------- the package

QStringList MissingPackagingTools() {
    QStringList missing;
    for (const char* tool : {"dpkg-deb", "dpkg-shlibdeps"}) {
        if (!Installed(QString::fromLatin1(tool))) missing << QString::fromLatin1(tool);
    }
    return missing;
}

QStringList Packages() {
    return QDir(kPackageDir).entryList({QStringLiteral("ostrelix_*.deb")}, QDir::Files);
}

// Makes the package that the tests below inspect, replacing any earlier one.
TEST(PackageBuild, CPackMakesTheDebianPackage) {
    if (const QStringList missing = MissingPackagingTools(); !missing.isEmpty()) {
        GTEST_SKIP() << missing.join(u' ').toStdString() << " not installed (package dpkg-dev)";
    }
    for (const QString& old : Packages()) QFile::remove(QDir(kPackageDir).filePath(old));
    const ProgramRun run =
        RunProgram(QStringLiteral(OSTRELIX_CPACK),
                   {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                    QStringLiteral(OSTRELIX_CPACK_CONFIG), QStringLiteral("-B"), kPackageDir},
                   QProcessEnvironment::systemEnvironment(), 280000);
    ASSERT_EQ(run.exitCode, 0) << run.out.toStdString() << run.err.toStdString();
    EXPECT_EQ(Packages(), QStringList{QStringLiteral("ostrelix_" OSTRELIX_VERSION "_amd64.deb")})
        << run.out.toStdString();
}

// The package, unpacked into a scratch root as dpkg would install it under /.
class DebianPackage : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!MissingPackagingTools().isEmpty() || Packages().size() != 1) {
            GTEST_SKIP() << "no package was made (see PackageBuild.CPackMakesTheDebianPackage)";
        }
        deb = QDir(kPackageDir).filePath(Packages().front());
        ASSERT_TRUE(root.isValid());
        const ProgramRun run =
            RunProgram(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), deb, root.path()});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    }
    QString InRoot(const QString& path) const { return root.path() + path; }

    QString deb;
    QTemporaryDir root;
};

TEST_F(DebianPackage, HoldsTheProgramItsDataAndTheDesktopEntry) {
    const ProgramRun listing = RunProgram(QStringLiteral("dpkg-deb"), {QStringLiteral("-c"), deb});
    ASSERT_EQ(listing.exitCode, 0) << listing.err.toStdString();
    // "-rwxr-xr-x root/root 1234 2026-12-11 16:43 ./usr/bin/ostrelix" -> mode by path
    QHash<QString, QString> modes;
    for (const QString& line : listing.out.split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList fields = line.simplified().split(u' ');
        if (fields.size() >= 6) modes.insert(fields.last().mid(1), fields.first());
    }
    for (const char* program :
         {"/usr/bin/ostrelix", "/usr/bin/ostrelix-table", "/usr/libexec/ostrelix/ostrelix"}) {
        EXPECT_EQ(modes.value(QString::fromLatin1(program)), "-rwxr-xr-x") << program;
    }
    for (const char* file : {"/usr/share/applications/com.kestrom.Ostrelix.desktop",
                             "/usr/share/icons/hicolor/256x256/apps/com.kestrom.Ostrelix.png",
                             "/usr/share/icons/hicolor/64x64/apps/com.kestrom.Ostrelix.png",
                             "/usr/share/metainfo/com.kestrom.Ostrelix.metainfo.xml",
                             "/usr/share/doc/ostrelix/LICENSE"}) {
        EXPECT_EQ(modes.value(QString::fromLatin1(file)), "-rw-r--r--") << file;
    }

    // The shipped data and the licence byte for byte as in the source tree.
    ExpectSameFiles(kSource + QStringLiteral("/INF"),
                    InRoot(QStringLiteral("/usr/share/ostrelix/INF")));
    ExpectSameFiles(kSource + QStringLiteral("/TANK_GP"),
                    InRoot(QStringLiteral("/usr/share/ostrelix/TANK_GP")));
    EXPECT_EQ(Bytes(InRoot(QStringLiteral("/usr/share/doc/ostrelix/LICENSE"))),
              Bytes(kSource + QStringLiteral("/LICENSE")));

    const ProgramRun fields = RunProgram(QStringLiteral("dpkg-deb"),
                                         {QStringLiteral("-f"), deb, QStringLiteral("Package"),
                                          QStringLiteral("Version"), QStringLiteral("Depends")});
    EXPECT_TRUE(
        fields.out.startsWith(QStringLiteral("Package: ostrelix\nVersion: " OSTRELIX_VERSION "\n")))
        << fields.out.toStdString();
    for (const char* needed : {"libqt6charts6", "libqt6printsupport6", "fonts-wqy-microhei"}) {
        EXPECT_TRUE(fields.out.contains(QString::fromLatin1(needed))) << "Depends lacks " << needed;
    }

    // The AppStream data of the installed tree, with its link to the desktop entry.
    if (Installed(QStringLiteral("appstreamcli"))) {
        const ProgramRun tree =
            RunProgram(QStringLiteral("appstreamcli"),
                       {QStringLiteral("validate-tree"), QStringLiteral("--no-net"), root.path()});
        EXPECT_EQ(tree.exitCode, 0) << tree.out.toStdString() << tree.err.toStdString();
    }
}

TEST_F(DebianPackage, InstalledCompanionComputesAKnownCase) {
    const ProgramRun run =
        RunProgram(InRoot(QStringLiteral("/usr/bin/ostrelix-table")),
                   {QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("1.5"),
                    QStringLiteral("3"), QStringLiteral("1")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 22);
    EXPECT_EQ(lines.front(), "Volume=010.50\t10.5");
}

// The installed launcher with a stand-in for the program that records where and with
// what it was started.
struct LauncherRow {
    const char* name;
    bool dataHomeSet;  // XDG_DATA_HOME set, or left empty so that ~/.local/share is used
};

class DebianPackageLauncher : public DebianPackage,
                              public ::testing::WithParamInterface<LauncherRow> {};

TEST_P(DebianPackageLauncher, MakesTheStateFolderOnceFromTheShippedData) {
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const QString home = scratch.filePath(QStringLiteral("home"));
    const QString dataHome = scratch.filePath(QStringLiteral("data"));
    ASSERT_TRUE(QDir().mkpath(home));
    const QString state = GetParam().dataHomeSet ? dataHome + QStringLiteral("/ostrelix")
                                                 : home + QStringLiteral("/.local/share/ostrelix");
    const QString log = scratch.filePath(QStringLiteral("started"));
    const QString stub = scratch.filePath(QStringLiteral("program"));
    {
        QFile file(stub);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(
            "#!/bin/sh\n{ pwd; for a in \"$@\"; do echo \"$a\"; done; } >> \"$STARTED_LOG\"\n");
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("OSTRELIX_DATA"));
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_DATA_HOME"),
                       GetParam().dataHomeSet ? dataHome : QString());
    environment.insert(QStringLiteral("OSTRELIX_PROGRAM"), stub);
    environment.insert(QStringLiteral("STARTED_LOG"), log);
    const QString launcher = InRoot(QStringLiteral("/usr/bin/ostrelix"));
    const QStringList arguments{QStringLiteral("first"), QStringLiteral("two words")};

    ProgramRun run = RunProgram(launcher, arguments, environment);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(Bytes(log)),
              QStringList({state, arguments[0], arguments[1]}).join(u'\n') + u'\n');
    ExpectSameFiles(InRoot(QStringLiteral("/usr/share/ostrelix")), state);
    EXPECT_EQ(QDir(state + QStringLiteral("/.."))
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("ostrelix")})
        << "a temporary folder was left beside the state folder";

    // The folder is the user's now: a later start keeps it as it is.
    const QString settings = state + QStringLiteral("/INF/INF.TXT");
    {
        QFile file(settings);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("1\r\n7\r\n");
    }
    ASSERT_TRUE(QFile::remove(state + QStringLiteral("/TANK_GP/CASE2.BMP")));
    QFile::remove(log);
    run = RunProgram(launcher, {}, environment);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(Bytes(log)), state + u'\n');
    EXPECT_EQ(Bytes(settings), "1\r\n7\r\n");
    EXPECT_FALSE(QFile::exists(state + QStringLiteral("/TANK_GP/CASE2.BMP")));
}

INSTANTIATE_TEST_SUITE_P(StateFolder, DebianPackageLauncher,
                         ::testing::Values(LauncherRow{"DataHome", true},
                                           LauncherRow{"HomeOnly", false}),
                         [](const ::testing::TestParamInfo<LauncherRow>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
