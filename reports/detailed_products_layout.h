#pragma once

#include <QObject>

class TForm21 : public QObject {
    Q_OBJECT
public:
    explicit TForm21(QObject* parent = nullptr);
};

extern TForm21* Form21;
