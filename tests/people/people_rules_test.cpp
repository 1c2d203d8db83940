#include "../support/qt_printers.h"
#include "data/scram_verifier.h"
#include "people/people_statements.h"
#include "people/person_rules.h"

#include <gtest/gtest.h>

namespace {

namespace st = people::statements;

TEST(PeopleStatements, ExactTexts) {
    EXPECT_EQ(st::secured(),
              "select exists(select 1 from pg_namespace n join pg_roles r on r.oid = n.nspowner "
              "where n.nspname = 'accounts_dep' and r.rolname = current_database() || '_owner') "
              "as secured");
    EXPECT_EQ(st::currentPerson(),
              "select login, full_name, job, must_change_password from "
              "accounts_dep.current_person()");
    EXPECT_EQ(st::changeOwnPassword(), "select accounts_dep.change_own_password(:password)");
    EXPECT_EQ(st::listPeople(),
              "select login, full_name, job, enabled from accounts_dep.list_people()");
    EXPECT_EQ(st::addPerson(),
              "select accounts_dep.add_person(:login, :full_name, :job, :password)");
    EXPECT_EQ(st::setPersonJob(), "select accounts_dep.set_person_job(:login, :job)");
    EXPECT_EQ(st::resetPersonPassword(),
              "select accounts_dep.reset_person_password(:login, :password)");
    EXPECT_EQ(st::setPersonEnabled(true), "select accounts_dep.set_person_enabled(:login, true)");
    EXPECT_EQ(st::setPersonEnabled(false), "select accounts_dep.set_person_enabled(:login, false)");
}

TEST(PersonRules, JobsSelectRolesAndNames) {
    const struct {
        const char* job;
        std::optional<UserRole> role;
        const char* text;
    } cases[] = {
        {"foreman", UserRole::Foreman, "Бригадир"},
        {"storekeeper", UserRole::Storekeeper, "Кладовщик"},
        {"reviewer", UserRole::Reviewer, "Контролёр"},
        {"administrator", UserRole::Administrator, "Администратор"},
        {"Foreman", std::nullopt, "Foreman"},  // the server's names are exact
        {"", std::nullopt, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.job);
        EXPECT_EQ(people::roleForJob(c.job), c.role);
        EXPECT_EQ(people::jobText(c.job), c.text);
    }
    EXPECT_EQ(people::jobs(), (QStringList{"foreman", "storekeeper", "reviewer", "administrator"}));
}

TEST(PersonRules, EnabledFlagAsTheDriverGivesIt) {
    for (const QVariant& v : {QVariant("1"), QVariant("true"), QVariant(true), QVariant("t")})
        EXPECT_TRUE(people::isEnabled(v)) << v.toString().toStdString();
    for (const QVariant& v : {QVariant("0"), QVariant("false"), QVariant(false), QVariant()})
        EXPECT_FALSE(people::isEnabled(v)) << v.toString().toStdString();
    EXPECT_EQ(people::enabledText("1"), "Вход разрешён");
    EXPECT_EQ(people::enabledText("0"), "Вход отключён");
}

TEST(PersonRules, NewPasswordTypedTwice) {
    const struct {
        const char* password;
        const char* repeated;
        const char* refusal;  // nullptr: taken
    } cases[] = {
        {"", "", "Введите новый пароль."},
        {"   ", "   ", "Введите новый пароль."},
        {"secret1", "secret2", "Пароли не совпадают."},
        {"secret1", "secret1 ", "Пароли не совпадают."},  // blanks count
        {"secret1", "secret1", nullptr},
        {" пароль с пробелами ", " пароль с пробелами ", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.password);
        const std::optional<QString> refusal = people::passwordRefusal(c.password, c.repeated);
        if (c.refusal)
            EXPECT_EQ(refusal, QString(c.refusal));
        else
            EXPECT_FALSE(refusal);
    }
}

TEST(PersonRules, JournalCaptionNamesThePerson) {
    EXPECT_EQ(people::journalCaption("Петров Пётр Петрович"), "Табель — Петров Пётр Петрович");
}

TEST(PersonRules, PersonsLoginReplacesTheBuiltInOneBraceQuoted) {
    const QString builtIn =
        "DRIVER={PostgreSQL UNICODE};DATABASE=plantdb;SERVER=10.0.0.1;PORT=5432;UID=sys;"
        "PWD=tavirok;SSLmode=allow;ReadOnly=0";
    EXPECT_EQ(people::withLogin(builtIn, "ivanov", "p;w}d=1"),
              "DRIVER={PostgreSQL UNICODE};DATABASE=plantdb;SERVER=10.0.0.1;PORT=5432;"
              "UID=ivanov;PWD={p;w}}d=1};SSLmode=allow;ReadOnly=0");
    // The password changed later: only PWD is replaced, a quoted one whole.
    const QString person = people::withLogin(builtIn, "ivanov", "a}};b");
    EXPECT_EQ(people::withPassword(person + ";pqopt={keepalives_idle=20}", "new{pw"),
              "DRIVER={PostgreSQL UNICODE};DATABASE=plantdb;SERVER=10.0.0.1;PORT=5432;"
              "UID=ivanov;PWD={new{pw};SSLmode=allow;ReadOnly=0;pqopt={keepalives_idle=20}");
}

TEST(PersonRules, LoginNamesThatKeepTheConnectionStringWhole) {
    for (const char* name : {"ivanov", "i.ivanov-2", "Иванов", "a b"})
        EXPECT_TRUE(people::isLoginName(QString::fromUtf8(name))) << name;
    for (const char* name : {"", "ivanov;DATABASE=other", "{ivanov}", "iva}nov"})
        EXPECT_FALSE(people::isLoginName(QString::fromUtf8(name))) << name;
}

// Verifiers PostgreSQL made itself (password_encryption = scram-sha-256, CREATE ROLE ... PASSWORD)
// for these passwords: the client's, given the server's salt, must be the same text.
TEST(ScramVerifier, SameAsTheServerMakes) {
    const struct {
        const char* password;
        const char* serverMade;
    } cases[] = {
        {"tavirok",
         "SCRAM-SHA-256$4096:9Nro6IQkl6RXhr7s+WVHcQ==$rtVYJAi5/vDoe7rljf1GFrtOc+Zp3mlwy5kCekUfAZw=:"
         "PwqCjGX95R6OH7AvpYab4/fCCKJ37zwYIp24jZaIhU8="},
        {"Пароль мастера 7}",
         "SCRAM-SHA-256$4096:eJpzlH8LttxIUCIUvxU27g==$zBKiDL/jae9kQrs0PvJwydIHNx/LrpDTKDxEzy17M3w=:"
         "45xyY4l1pYamx5l7JNVXKVmWu1kIfhhS87PmJJjrZEU="},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.password);
        const QString made = QString::fromUtf8(c.serverMade);
        const QByteArray salt =
            QByteArray::fromBase64(made.section('$', 1, 1).section(':', 1).toLatin1());
        EXPECT_EQ(data::scramVerifier(QString::fromUtf8(c.password), salt, 4096), made);
    }
    // A fresh verifier: 4096 iterations, a 16-byte salt of its own each time.
    const QString a = data::scramVerifier("tavirok");
    const QString b = data::scramVerifier("tavirok");
    EXPECT_TRUE(a.startsWith("SCRAM-SHA-256$4096:")) << a.toStdString();
    EXPECT_EQ(QByteArray::fromBase64(a.section('$', 1, 1).section(':', 1).toLatin1()).size(), 16);
    EXPECT_NE(a, b);
    EXPECT_FALSE(a.contains("tavirok"));
}

}  // namespace
