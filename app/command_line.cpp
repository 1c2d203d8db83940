#include "app/command_line.h"

#include "data/connection.h"

namespace command_line {

QString versionText(const BuildStamp& stamp) {
    return QStringLiteral("plant-client %1 (build: %2.%3)\n")
        .arg(QStringLiteral(PLANT_VERSION))
        .arg(stamp.date)
        .arg(stamp.time);
}

QString usageText() {
    return QStringLiteral(
               "Использование: plant-client [БАЗА СЕРВЕР]\n"
               "Клиент учёта производства и табеля на общей базе PostgreSQL.\n"
               "\n"
               "  БАЗА     имя базы данных\n"
               "  СЕРВЕР   имя или адрес сервера базы данных (порт 5432)\n"
               "\n"
               "Без СЕРВЕРА (или с пустым СЕРВЕРОМ) БАЗА не учитывается и берутся встроенные\n"
               "значения: база %1 на сервере %2.\n"
               "\n"
               "  --upgrade-database БАЗА СЕРВЕР\n"
               "             создать или обновить объекты базы, нужные этой версии (закрытые\n"
               "             месяцы и др.), и выйти; можно запускать повторно и при работающих\n"
               "             клиентах; защищённую базу обновляет суперпользователь сервера\n"
               "             (PGUSER, пароль из PGPASSWORD, ~/.pgpass или с терминала)\n"
               "  --secure-database БАЗА СЕРВЕР [--admin ВХОД]\n"
               "             включить в базе личные учётные записи и права должностей (от имени\n"
               "             суперпользователя PGUSER) и выйти; --admin создаёт первого\n"
               "             администратора (пароль с терминала или из PLANT_ADMIN_PASSWORD)\n"
               "  --version  показать версию и сборку программы и выйти\n"
               "  --help     показать эту справку и выйти\n")
        .arg(QString::fromLatin1(data::kBuiltInDatabase), QStringLiteral(PLANT_DEFAULT_SERVER));
}

std::optional<QString> answerFor(const QStringList& args) {
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--version"))
            return versionText(programBuildStamp());
        if (args[i] == QLatin1String("--help"))
            return usageText();
    }
    return std::nullopt;
}

}  // namespace command_line
