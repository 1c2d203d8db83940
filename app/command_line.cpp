#include "app/command_line.h"

#include "data/connection.h"
#include "data/quoted_text.h"

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
               "  --help, -h показать эту справку и выйти\n"
               "\n"
               "Окна клиента открываются на экране рабочего стола (DISPLAY или WAYLAND_DISPLAY);\n"
               "--upgrade-database, --secure-database, --version и --help экрана не требуют.\n")
        .arg(QString::fromLatin1(data::kBuiltInDatabase), QStringLiteral(PLANT_DEFAULT_SERVER));
}

std::optional<QString> answerFor(const QStringList& args) {
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--version"))
            return versionText(programBuildStamp());
        if (args[i] == QLatin1String("--help") || args[i] == QLatin1String("-h"))
            return usageText();
    }
    return std::nullopt;
}

std::optional<QString> refusalOf(const QStringList& args) {
    const QString upgrade = QStringLiteral("--upgrade-database");
    // The securing command reads its own arguments (--admin among them).
    if (args.size() > 1 && args[1] == QLatin1String("--secure-database"))
        return std::nullopt;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (!arg.startsWith(u'-'))
            continue;
        if (arg == upgrade && i == 1)
            continue;
        if (arg == upgrade)
            return QStringLiteral(
                "plant-client: --upgrade-database ставится первым: plant-client "
                "--upgrade-database БАЗА СЕРВЕР\n");
        if (arg == QLatin1String("--secure-database"))
            return QStringLiteral(
                "plant-client: --secure-database ставится первым: plant-client "
                "--secure-database БАЗА СЕРВЕР [--admin ВХОД]\n");
        return QStringLiteral(
                   "plant-client: неизвестный параметр «%1».\n"
                   "Справка: plant-client --help\n")
            .arg(data::shownUserText(arg));  // shortened, its control characters made visible
    }
    return std::nullopt;
}

}  // namespace command_line
