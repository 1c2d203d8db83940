#pragma once

#include <QObject>

class TForm16 : public QObject {
    Q_OBJECT
public:
    explicit TForm16(QObject* parent = nullptr);
};

extern TForm16* Form16;
