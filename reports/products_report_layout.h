#pragma once

#include <QObject>

class TForm17 : public QObject {
    Q_OBJECT
public:
    explicit TForm17(QObject* parent = nullptr);
};

extern TForm17* Form17;
