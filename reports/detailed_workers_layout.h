#pragma once

#include <QObject>

class TForm20 : public QObject {
    Q_OBJECT
public:
    explicit TForm20(QObject* parent = nullptr);
};

extern TForm20* Form20;
