-- The demo plant: a small sheet-metal works with six departments, 60 workers, 40 products, twelve
-- operation kinds and about 150 operations with their norms, the journal of November 2026 and of
-- December 2026 up to the 10th in all four shifts, and the timesheet built from that journal.
-- Loaded into plantdb by `scripts/test-db.sh start --demo`, after db/schema.sql. Deterministic:
-- every "random" choice is a hash of the worker, the date and the entry number.

SET client_min_messages = warning;
SET datestyle TO 'ISO, DMY';

-- A repeatable number in [0, 1) for a key.
CREATE FUNCTION pg_temp.rnd(key text) RETURNS double precision LANGUAGE sql IMMUTABLE AS $$
    SELECT (hashtext(key)::bigint + 2147483648) / 4294967296.0
$$;

-- The client writes its own version row on its first start.
DELETE FROM accounts_dep.ver;

-- Enterprise lookups -----------------------------------------------------------------------------

INSERT INTO cmn_department.department (id, id_branch, s_code, s_caption, s_description, id_parent)
VALUES (1, 1, '01', 'Производство', 'Производственный комплекс', NULL),
       (2, 1, '01.1', 'Заготовительный участок', 'Резка и вырубка листа', 1),
       (3, 1, '01.2', 'Участок штамповки', 'Вырубка и гибка на прессах', 1),
       (4, 1, '01.3', 'Сварочный участок', 'Сварка корпусов и зачистка швов', 1),
       (5, 1, '01.4', 'Сборочный цех', 'Сборка изделий', 1),
       (6, 1, '01.5', 'Покрасочный участок', 'Грунтовка, жидкая и порошковая окраска', 1),
       (7, 1, '01.6', 'Участок упаковки', 'Упаковка готовой продукции', 1),
       (8, 1, '02', 'Склад готовой продукции', '', NULL),
       (9, 1, '03', 'Отдел технического контроля', '', NULL);

INSERT INTO hrms_staffpos.staffpos (id, id_department, s_code, s_caption, d_begin, d_end, s_description)
VALUES (1, 2, '101', 'Резчик металла', '2015-01-01', NULL, ''),
       (2, 2, '102', 'Слесарь-заготовщик', '2015-01-01', NULL, ''),
       (3, 3, '201', 'Штамповщик', '2015-01-01', NULL, ''),
       (4, 3, '202', 'Оператор листогиба', '2018-03-01', NULL, ''),
       (5, 4, '301', 'Электросварщик', '2015-01-01', NULL, ''),
       (6, 5, '401', 'Слесарь-сборщик', '2015-01-01', NULL, ''),
       (7, 6, '501', 'Маляр', '2015-01-01', NULL, ''),
       (8, 6, '502', 'Оператор покрасочной камеры', '2019-06-01', NULL, ''),
       (9, 7, '601', 'Упаковщик', '2015-01-01', NULL, ''),
       (10, 1, '001', 'Мастер смены', '2015-01-01', NULL, ''),
       (11, 8, '801', 'Кладовщик', '2015-01-01', NULL, ''),
       (12, 9, '901', 'Контролёр ОТК', '2015-01-01', NULL, ''),
       (13, 4, '302', 'Газорезчик', '2015-01-01', '2022-12-31', 'Упразднена');

INSERT INTO adm_role.roles (id, s_name, s_caption, d_begin, d_end, b_active)
VALUES (1, 'worker', 'Рабочий', '2015-01-01', NULL, 'true'),
       (2, 'foreman', 'Мастер', '2015-01-01', NULL, 'true'),
       (3, 'storekeeper', 'Кладовщик', '2015-01-01', NULL, 'true'),
       (4, 'reviewer', 'Контролёр', '2015-01-01', NULL, 'true'),
       (5, 'admin', 'Администратор', '2015-01-01', NULL, 'true'),
       (6, 'normer', 'Нормировщик', '2015-01-01', '2021-06-30', 'false');

-- Workers; the trigger on accounts_dep.person mirrors each into cmn_contractor.person with
-- s_code equal to the id. s_staffpos_hl holds the department, as the worker editor writes it.
INSERT INTO accounts_dep.person (fio, s_staffpos_hl)
SELECT fio, dept
  FROM (VALUES
    (1, 'Абрамов Виктор Петрович', 'Заготовительный участок'),
    (2, 'Белов Сергей Николаевич', 'Заготовительный участок'),
    (3, 'Воронин Алексей Иванович', 'Заготовительный участок'),
    (4, 'Гусев Дмитрий Александрович', 'Заготовительный участок'),
    (5, 'Данилов Андрей Викторович', 'Заготовительный участок'),
    (6, 'Ершов Павел Сергеевич', 'Заготовительный участок'),
    (7, 'Жуков Николай Михайлович', 'Заготовительный участок'),
    (8, 'Зайцев Игорь Владимирович', 'Заготовительный участок'),
    (9, 'Ильин Роман Олегович', 'Заготовительный участок'),
    (10, 'Карпов Юрий Геннадьевич', 'Заготовительный участок'),
    (11, 'Лаптев Евгений Борисович', 'Участок штамповки'),
    (12, 'Мартынов Олег Анатольевич', 'Участок штамповки'),
    (13, 'Никитин Артём Сергеевич', 'Участок штамповки'),
    (14, 'Осипов Владимир Петрович', 'Участок штамповки'),
    (15, 'Пахомов Константин Юрьевич', 'Участок штамповки'),
    (16, 'Родионов Геннадий Васильевич', 'Участок штамповки'),
    (17, 'Соболев Максим Андреевич', 'Участок штамповки'),
    (18, 'Тарасов Илья Дмитриевич', 'Участок штамповки'),
    (19, 'Уваров Михаил Степанович', 'Сварочный участок'),
    (20, 'Фролов Александр Игоревич', 'Сварочный участок'),
    (21, 'Харитонов Денис Валерьевич', 'Сварочный участок'),
    (22, 'Цветков Станислав Олегович', 'Сварочный участок'),
    (23, 'Чернов Валерий Николаевич', 'Сварочный участок'),
    (24, 'Шаров Вадим Евгеньевич', 'Сварочный участок'),
    (25, 'Щукин Антон Павлович', 'Сварочный участок'),
    (26, 'Яковлев Борис Фёдорович', 'Сварочный участок'),
    (27, 'Голубев Кирилл Александрович', 'Сварочный участок'),
    (28, 'Ефимов Леонид Иванович', 'Сварочный участок'),
    (29, 'Комаров Степан Ильич', 'Сборочный цех'),
    (30, 'Лукин Георгий Викторович', 'Сборочный цех'),
    (31, 'Медведев Руслан Сергеевич', 'Сборочный цех'),
    (32, 'Назаров Фёдор Алексеевич', 'Сборочный цех'),
    (33, 'Одинцов Аркадий Львович', 'Сборочный цех'),
    (34, 'Панов Григорий Михайлович', 'Сборочный цех'),
    (35, 'Рябов Тимофей Андреевич', 'Сборочный цех'),
    (36, 'Савельев Ярослав Дмитриевич', 'Сборочный цех'),
    (37, 'Титов Василий Егорович', 'Сборочный цех'),
    (38, 'Ушаков Владислав Николаевич', 'Сборочный цех'),
    (39, 'Филиппов Эдуард Романович', 'Сборочный цех'),
    (40, 'Хохлов Семён Павлович', 'Сборочный цех'),
    (41, 'Шубин Глеб Константинович', 'Сборочный цех'),
    (42, 'Богданов Матвей Олегович', 'Сборочный цех'),
    (43, 'Андреева Елена Викторовна', 'Покрасочный участок'),
    (44, 'Борисова Наталья Сергеевна', 'Покрасочный участок'),
    (45, 'Власова Ольга Николаевна', 'Покрасочный участок'),
    (46, 'Григорьева Татьяна Ивановна', 'Покрасочный участок'),
    (47, 'Денисова Светлана Петровна', 'Покрасочный участок'),
    (48, 'Егорова Марина Александровна', 'Покрасочный участок'),
    (49, 'Зуева Ирина Владимировна', 'Покрасочный участок'),
    (50, 'Исаева Людмила Михайловна', 'Покрасочный участок'),
    (51, 'Калинина Галина Юрьевна', 'Покрасочный участок'),
    (52, 'Лебедева Анна Дмитриевна', 'Покрасочный участок'),
    (53, 'Макарова Юлия Андреевна', 'Участок упаковки'),
    (54, 'Новикова Екатерина Олеговна', 'Участок упаковки'),
    (55, 'Орлова Валентина Степановна', 'Участок упаковки'),
    (56, 'Павлова Надежда Викторовна', 'Участок упаковки'),
    (57, 'Романова Лариса Геннадьевна', 'Участок упаковки'),
    (58, 'Степанова Вера Алексеевна', 'Участок упаковки'),
    (59, 'Тимофеева Оксана Игоревна', 'Участок упаковки'),
    (60, 'Фёдорова Мария Сергеевна', 'Участок упаковки')) w(n, fio, dept)
 ORDER BY n;

-- Products: goods of unit 6, which accounts_dep.izdel presents (s_name is the product group the
-- printed reports total by).
INSERT INTO cmn_gds_and_srv.gds_and_srv (s_caption, s_name, s_description, id_msm_bs, massa)
SELECT marka, nom, '', 6, massa
  FROM (VALUES
    (1, 'ЯП-120', 'Ящик почтовый', 2.8), (2, 'ЯП-240', 'Ящик почтовый', 4.6),
    (3, 'ЯП-360', 'Ящик почтовый', 6.9), (4, 'ЯП-5', 'Ящик почтовый', 3.4),
    (5, 'ЯП-7', 'Ящик почтовый', 4.1), (6, 'ЯП-10', 'Ящик почтовый', 5.6),
    (7, 'Короб 2С', 'Короб', 0.6), (8, 'Короб 3С', 'Короб', 0.85),
    (9, 'Короб 4С', 'Короб', 1.0), (10, 'Короб 5С', 'Короб', 1.2),
    (11, 'Короб КМ-1', 'Короб', 0.45), (12, 'Короб КМ-2', 'Короб', 0.7),
    (13, 'ШМ-1', 'Шкаф металлический', 11.5), (14, 'ШМ-2', 'Шкаф металлический', 9.8),
    (15, 'ШМС-1', 'Шкаф металлический', 12.0),
    (16, 'ЩРН-12', 'Щит распределительный', 3.2), (17, 'ЩРН-24', 'Щит распределительный', 4.9),
    (18, 'ЩРН-36', 'Щит распределительный', 6.4), (19, 'ЩРВ-12', 'Щит распределительный', 2.9),
    (20, 'ЩРВ-24', 'Щит распределительный', 4.3),
    (21, 'КР-150', 'Кронштейн', 0.35), (22, 'КР-250', 'Кронштейн', 0.55),
    (23, 'КР-400', 'Кронштейн', 0.9), (24, 'КУ-1', 'Кронштейн', 0.25),
    (25, 'СТ-1000', 'Стеллаж', 8.5), (26, 'СТ-1500', 'Стеллаж', 10.2),
    (27, 'СТ-2000', 'Стеллаж', 11.8),
    (28, 'СБ-45', 'Сейф', 9.4), (29, 'СБ-65', 'Сейф', 11.9),
    (30, 'ШРМ-22', 'Шкаф для одежды', 10.7), (31, 'ШРМ-24', 'Шкаф для одежды', 11.6),
    (32, 'П-300', 'Полка', 1.6), (33, 'П-600', 'Полка', 2.4), (34, 'П-900', 'Полка', 3.3),
    (35, 'ЯИ-1', 'Ящик для инструмента', 1.9), (36, 'ЯИ-2', 'Ящик для инструмента', 2.6),
    (37, 'КЖ-100', 'Кожух', 0.95), (38, 'КЖ-200', 'Кожух', 1.45),
    (39, 'ЛК-50', 'Лоток кабельный', 0.75), (40, 'ЛК-100', 'Лоток кабельный', 1.05))
       p(n, marka, nom, massa)
 ORDER BY n;

-- Operation kinds, with the department that does them, whether they make finished goods (0) or
-- blanks (1), and a rate for the piece price.
CREATE TEMP TABLE demo_kind (n integer, vid text, dept text, naimen integer, rate numeric,
                             per_kg boolean);
INSERT INTO demo_kind VALUES
    (1, 'Резка', 'Заготовительный участок', 1, 1.85, true),
    (2, 'Вырубка', 'Заготовительный участок', 1, 1.35, true),
    (3, 'Гибка', 'Участок штамповки', 1, 1.6, true),
    (4, 'Сварка', 'Сварочный участок', 1, 4.2, true),
    (5, 'Зачистка швов', 'Сварочный участок', 1, 1.9, true),
    (6, 'Сборка', 'Сборочный цех', 0, 3.5, true),
    (7, 'Клёпка', 'Сборочный цех', 0, 2.15, true),
    (8, 'Установка замков', 'Сборочный цех', 0, 6.75, false),
    (9, 'Покраска', 'Покрасочный участок', 0, 2.8, true),
    (10, 'Грунт-краска', 'Покрасочный участок', 1, 1.7, true),
    (11, 'Порошковая покраска', 'Покрасочный участок', 0, 3.1, true),
    (12, 'Упаковка', 'Участок упаковки', 0, 0.9, false);

INSERT INTO accounts_dep.vid_oper (vid) SELECT vid FROM demo_kind ORDER BY n;

-- Operations: each product has a few of the kinds (chosen by a fixed rule), and a handful of
-- products are also painted as blanks. Price and norm follow the kind's rate and the mass.
CREATE TEMP TABLE demo_oper AS
SELECT k.n AS kind, i.id AS i_id, nm.naimen,
       round(12 * k.rate * CASE WHEN k.per_kg THEN 0.5 + i.massa * 0.6 ELSE 1 + i.massa * 0.05 END
                    * CASE WHEN nm.naimen <> k.naimen THEN 0.85 ELSE 1 END, 4) AS price,
       greatest(6, round(420 / (1 + i.massa * 1.5) / k.rate))::integer AS norma
  FROM demo_kind k
  JOIN accounts_dep.izdel i ON (i.id::integer * 7 + k.n * 5) % 13 < 4
 CROSS JOIN LATERAL (SELECT k.naimen
                     UNION ALL
                     SELECT 1 WHERE k.vid = 'Покраска' AND i.id::integer % 3 = 0) nm;

INSERT INTO accounts_dep.oper (vid, naimen, i_id, cena_new)
SELECT v.id, o.naimen, o.i_id, o.price
  FROM demo_oper o
  JOIN demo_kind k ON k.n = o.kind
  JOIN accounts_dep.vid_oper v ON v.vid = k.vid
 ORDER BY o.i_id, o.kind, o.naimen;

-- One to three norms per operation: the base one and richer ones with a bonus.
INSERT INTO accounts_dep.norm (o_id, norma, prize, price)
SELECT op.id, round(d.norma * (1 + 0.2 * j))::integer, (ARRAY[0, 10, 20])[j + 1],
       round(d.price * (1 + 0.1 * j), 4)::double precision
  FROM accounts_dep.oper op
  JOIN demo_oper d ON d.i_id = op.i_id AND d.naimen = op.naimen
  JOIN accounts_dep.vid_oper v ON v.id = op.vid
  JOIN demo_kind k ON k.vid = v.vid AND k.n = d.kind
 CROSS JOIN LATERAL generate_series(0, (op.id * 7 % 5) % 3) j
 ORDER BY op.id, j;

-- The journal ------------------------------------------------------------------------------------

-- Working days: Monday to Friday, without the holiday of 4 November.
CREATE TEMP TABLE demo_day AS
SELECT d::date AS data
  FROM generate_series(date '2026-11-02', date '2026-12-10', interval '1 day') d
 WHERE extract(isodow FROM d) < 6 AND d::date <> date '2026-11-04';

-- What each department can do: its operations numbered from 0, with price, norm and paint flag.
CREATE TEMP TABLE demo_choice AS
SELECT k.dept, (row_number() OVER (PARTITION BY k.dept ORDER BY op.id) - 1)::integer AS k,
       count(*) OVER (PARTITION BY k.dept)::integer AS cnt,
       op.id AS o_id, op.i_id, k.vid, upper(k.vid) LIKE '%КРАСКА%' AS paint,
       (SELECT min(price) FROM accounts_dep.norm n WHERE n.o_id = op.id) AS price,
       (SELECT min(norma) FROM accounts_dep.norm n WHERE n.o_id = op.id) AS norma
  FROM accounts_dep.oper op
  JOIN accounts_dep.vid_oper v ON v.id = op.vid
  JOIN (SELECT dept, vid FROM demo_kind
        UNION ALL
        SELECT 'Участок штамповки', 'Вырубка') k ON k.vid = v.vid;

-- A worker's day: shifts 1 to 3 rotate weekly; about one day in twelve the worker is away; a day
-- holds one to three entries summing to 8 hours, and now and then two to four hours of overtime.
CREATE TEMP TABLE demo_entry AS
SELECT e.*, c.o_id, c.i_id, c.vid, c.paint, c.price, c.norma
  FROM (SELECT w.id AS w_id, w.s_staffpos_hl AS dept, d.data, j.n AS j,
               CASE WHEN j.n = 0 THEN 4
                    ELSE 1 + (w.id + extract(week FROM d.data)::integer) % 3 END AS smena,
               CASE WHEN j.n = 0 THEN 2 + (pg_temp.rnd(concat(w.id, d.data, 'oh')) * 3)::integer % 3
                    WHEN j.cnt = 1 THEN 8
                    WHEN j.cnt = 2 THEN CASE j.n WHEN 1 THEN 4 + j.x ELSE 4 - j.x END
                    ELSE CASE j.n WHEN 3 THEN 2 ELSE 3 END END AS time,
               pg_temp.rnd(concat(w.id, d.data, 'op')) AS r_op
          FROM accounts_dep.person w
         CROSS JOIN demo_day d
         CROSS JOIN LATERAL (
               SELECT 1 + (pg_temp.rnd(concat(w.id, d.data, 'n')) * 3)::integer % 3 AS cnt,
                      (pg_temp.rnd(concat(w.id, d.data, 'x')) < 0.5)::integer AS x) p
         CROSS JOIN LATERAL (
               SELECT n, p.cnt, p.x FROM generate_series(1, p.cnt) n
               UNION ALL
               SELECT 0, p.cnt, p.x WHERE pg_temp.rnd(concat(w.id, d.data, 'ot')) < 0.07) j
         WHERE pg_temp.rnd(concat(w.id, d.data, 'away')) >= 0.085) e
  JOIN demo_choice c ON c.dept = e.dept
                    AND c.k = ((e.r_op * c.cnt)::integer + e.j) % c.cnt;

INSERT INTO accounts_dep.smena (data, smena, w_id, i_id, o_id, kol_vo, brak, cena, color, time, ok,
                                vvod, prize, id_doc, id_doc_item, f_gds_qty_use, id_gds_use,
                                id_cons_use)
SELECT e.data, e.smena, e.w_id, e.i_id, e.o_id, q.kol_vo,
       CASE WHEN pg_temp.rnd(concat(e.w_id, e.data, e.j, 'b')) < 0.12
            THEN least(q.kol_vo - 1, 1 + (pg_temp.rnd(concat(e.w_id, e.data, e.j, 'bb')) * 3)::integer)
            ELSE 0 END,
       round((e.price * CASE e.smena WHEN 3 THEN 1.2 WHEN 4 THEN 1.5 ELSE 1 END)::numeric,
             4)::double precision,
       CASE WHEN NOT e.paint THEN 0
            WHEN e.vid = 'Грунт-краска' THEN 1
            ELSE (ARRAY[9005, 3020, 7035, 5015, 6005, 1015, 9016, 7024])
                 [1 + (pg_temp.rnd(concat(e.w_id, e.data, e.j, 'c')) * 8)::integer % 8] END,
       e.time,
       CASE WHEN pg_temp.rnd(concat(e.w_id, e.data, e.j, 'ok')) < 0.015 THEN 'ta'
            WHEN e.data < date '2026-12-01' THEN
                 CASE WHEN pg_temp.rnd(concat(e.w_id, e.data, e.j, 'acc')) < 0.68 THEN 'ok'
                      WHEN pg_temp.rnd(concat(e.w_id, e.data, e.j, 'acc')) < 0.90 THEN 'да'
                      ELSE 'no' END
            WHEN e.data < date '2026-12-08' THEN
                 CASE WHEN pg_temp.rnd(concat(e.w_id, e.data, e.j, 'acc')) < 0.45 THEN 'ok'
                      WHEN pg_temp.rnd(concat(e.w_id, e.data, e.j, 'acc')) < 0.50 THEN 'да'
                      ELSE 'no' END
            ELSE 'no' END,
       e.data + CASE e.smena WHEN 1 THEN interval '15 hours 40 minutes'
                             WHEN 2 THEN interval '23 hours 50 minutes'
                             WHEN 3 THEN interval '31 hours 35 minutes'
                             ELSE interval '19 hours 10 minutes' END
              + make_interval(mins => (pg_temp.rnd(concat(e.w_id, e.data, e.j, 'v')) * 20)::integer),
       0, 0, 0, 0, 0, 0
  FROM demo_entry e
 CROSS JOIN LATERAL (
       SELECT greatest(1, round(e.norma * e.time / 8.0
                                * (0.8 + 0.35 * pg_temp.rnd(concat(e.w_id, e.data, e.j, 'q')))))::integer
              AS kol_vo) q
 ORDER BY e.data, e.smena, e.w_id, e.j;

-- The timesheet follows from db/timesheet-from-journal.sql.
