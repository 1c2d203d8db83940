#pragma once

#include <QObject>

class TForm15 : public QObject {
    Q_OBJECT
public:
    explicit TForm15(QObject* parent = nullptr);
};

extern TForm15* Form15;
