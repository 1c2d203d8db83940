-- A large plant for the benchmarks, written by scripts/gen-plant.sh into a database that holds
-- db/schema.sql. It REPLACES the plant's data: workers, goods, operation kinds, operations, norms,
-- journal and timesheet are emptied first. Everything is set-based; nothing here is a fixture.
--
-- psql variables (all set by gen-plant.sh):
--   workers, products, kinds, operations   how many of each
--   date_from, date_to                      journal period (YYYY-MM-DD); Monday to Friday only
--   per_day                                 journal entries per worker per working day
--   dense_month                             YYYY-MM in which every worker has an entry in each of
--                                           the four shifts every working day ('' for none)
--   seed                                    setseed() value, so a run is repeatable

\set ON_ERROR_STOP 1
SET client_min_messages = warning;
SET datestyle TO 'ISO, DMY';
-- random() is repeatable after setseed() only in one process.
SET max_parallel_workers_per_gather = 0;
SET work_mem = '256MB';
SET jit = off;
SET maintenance_work_mem = '256MB';

\echo 'emptying the plant'
TRUNCATE accounts_dep.smena, accounts_dep.h_tabel, accounts_dep.norm, accounts_dep.oper,
         accounts_dep.vid_oper, accounts_dep.person, cmn_contractor.person,
         cmn_gds_and_srv.gds_and_srv RESTART IDENTITY;

SELECT setseed(:seed) AS seeded \gset

-- Workers; the trigger on accounts_dep.person mirrors each into cmn_contractor.person.
\echo 'workers'
INSERT INTO accounts_dep.person (fio, s_staffpos_hl)
SELECT (ARRAY['Иванов','Петров','Сидоров','Кузнецов','Смирнов','Попов','Васильев','Соколов',
              'Михайлов','Новиков','Фёдоров','Морозов','Волков','Алексеев','Лебедев','Семёнов',
              'Егоров','Павлов','Козлов','Степанов','Николаев','Орлов','Андреев','Макаров'])
            [1 + n % 24] || ' ' ||
       (ARRAY['Александр','Сергей','Дмитрий','Андрей','Алексей','Максим','Евгений','Иван',
              'Михаил','Николай','Владимир','Павел','Юрий','Олег','Виктор'])[1 + (n / 24) % 15] || ' ' ||
       (ARRAY['Александрович','Сергеевич','Дмитриевич','Андреевич','Петрович','Иванович',
              'Николаевич','Викторович','Юрьевич','Олегович','Михайлович'])[1 + (n / 360) % 11],
       (ARRAY['Заготовительный участок','Сборочный цех','Покрасочный участок',
              'Участок штамповки','Сварочный участок','Участок упаковки'])[1 + n % 6]
  FROM generate_series(0, :workers - 1) n
 ORDER BY n;

-- Products: goods of unit 6, shown by accounts_dep.izdel.
\echo 'products'
INSERT INTO cmn_gds_and_srv.gds_and_srv (s_caption, s_name, s_description, id_msm_bs, massa)
SELECT (ARRAY['ЯП','КР','ШМ','ПЛ','СТ','КЛ','ЩР','ТБ'])[1 + n % 8] || '-' || lpad((n + 1)::text, 4, '0'),
       (ARRAY['Ящик почтовый','Короб','Шкаф металлический','Полка','Стеллаж','Кронштейн',
              'Щит распределительный','Тумба'])[1 + n % 8],
       '', 6, round((0.25 + random() * 11.75)::numeric, 2)
  FROM generate_series(0, :products - 1) n
 ORDER BY n;

-- Operation kinds; every fourth is a paint kind.
\echo 'operation kinds'
INSERT INTO accounts_dep.vid_oper (vid)
SELECT CASE WHEN n % 4 = 3
            THEN (ARRAY['Покраска','Грунт-краска','Порошковая покраска','Краска эмаль'])[1 + (n / 4) % 4]
            ELSE (ARRAY['Резка','Гибка','Штамповка','Сварка','Сборка','Сверловка','Зачистка',
                        'Упаковка','Клёпка','Рихтовка','Фрезеровка','Полировка'])[1 + (n - n / 4) % 12]
       END || CASE WHEN n >= 16 THEN ' ' || (n / 16 + 1)::text ELSE '' END
  FROM generate_series(0, :kinds - 1) n
 ORDER BY n;

-- Operations: every product gets its share, round j of product p being kind (p + j/2) and
-- finished (j even) or blank (j odd), so the (product, kind, finished/blank) triples stay
-- distinct and the kinds spread over the products; then one to three norms each.
\echo 'operations and norms'
CREATE TEMP TABLE gen_product AS
SELECT (row_number() OVER (ORDER BY id) - 1)::int AS k, id::integer AS id
  FROM accounts_dep.izdel;
CREATE TEMP TABLE gen_kind AS
SELECT (row_number() OVER (ORDER BY id) - 1)::int AS k, id FROM accounts_dep.vid_oper;

INSERT INTO accounts_dep.oper (vid, naimen, i_id, cena_new)
SELECT v.id, (n / :products) % 2, p.id, round((0.5 + random() * 40)::numeric, 4)
  FROM generate_series(0, least(:operations, :products * :kinds * 2) - 1) n
  JOIN gen_product p ON p.k = n % :products
  JOIN gen_kind v ON v.k = (n % :products + n / :products / 2) % :kinds
 ORDER BY n;

INSERT INTO accounts_dep.norm (o_id, norma, prize, price)
SELECT o.id, (20 + random() * 480)::int, (ARRAY[0, 10, 15, 20])[1 + k % 4],
       round((o.cena_new * (1 + 0.1 * k))::numeric, 4)::double precision
  FROM accounts_dep.oper o
 CROSS JOIN LATERAL generate_series(0, o.id % 3) k
 ORDER BY o.id, k;

-- What the journal picks from: operations numbered 0..N-1 with their product, lowest price and
-- whether they take a colour.
CREATE TEMP TABLE gen_oper AS
SELECT (row_number() OVER (ORDER BY o.id) - 1)::int AS k, o.id, o.i_id,
       (SELECT min(price) FROM accounts_dep.norm n WHERE n.o_id = o.id) AS price,
       upper(v.vid) LIKE '%КРАСКА%' AS paint
  FROM accounts_dep.oper o JOIN accounts_dep.vid_oper v ON v.id = o.vid;
ALTER TABLE gen_oper ADD PRIMARY KEY (k);
SELECT count(*) AS gen_oper_count FROM gen_oper \gset

CREATE TEMP TABLE gen_day AS
SELECT d::date AS data, to_char(d, 'YYYY-MM') = :'dense_month' AS dense
  FROM generate_series(:'date_from'::date, :'date_to'::date, interval '1 day') d
 WHERE extract(isodow FROM d) < 6;

-- The journal: per working day and worker per_day entries with a drawn shift (1 most, 4 least);
-- in the dense month at least one entry in every shift.
\echo 'journal'
INSERT INTO accounts_dep.smena (data, smena, w_id, i_id, o_id, kol_vo, brak, cena, color, time, ok,
                                vvod, prize, id_doc, id_doc_item, f_gds_qty_use, id_gds_use,
                                id_cons_use)
SELECT g.data, g.smena, g.w_id, o.i_id, o.id, g.kol_vo,
       CASE WHEN g.r_brak < 0.9 THEN 0 ELSE least(g.kol_vo, 1 + (g.r_brak * 100)::int % 5) END,
       round((o.price * CASE g.smena WHEN 3 THEN 1.2 WHEN 4 THEN 1.5 ELSE 1 END)::numeric, 4),
       CASE WHEN o.paint
            THEN (ARRAY[1, 9005, 3020, 7035, 1015, 5015, 6005, 9016])[1 + (g.r_color * 8)::int % 8]
            ELSE 0 END,
       g.time,
       CASE WHEN g.r_ok < 0.45 THEN 'ok' WHEN g.r_ok < 0.90 THEN 'no' WHEN g.r_ok < 0.98 THEN 'да'
            ELSE 'ta' END,
       g.data + make_interval(hours => 7 + g.time, mins => (g.r_color * 59)::int),
       0, 0, 0, 0, 0, 0
  FROM (SELECT data, w_id,
               CASE WHEN dense AND k <= 4 THEN k
                    WHEN r_shift < 0.45 THEN 1 WHEN r_shift < 0.75 THEN 2 WHEN r_shift < 0.92 THEN 3
                    ELSE 4 END AS smena,
               (r_pick * :gen_oper_count)::int % :gen_oper_count AS pick,
               1 + (r_kol * 300)::int AS kol_vo, 1 + (r_time * 8)::int % 8 AS time,
               r_brak, r_color, r_ok
          FROM (SELECT d.data, d.dense, w.id AS w_id, k, random() AS r_shift, random() AS r_pick,
                       random() AS r_kol, random() AS r_time, random() AS r_brak,
                       random() AS r_color, random() AS r_ok
                  FROM gen_day d
                 CROSS JOIN accounts_dep.person w
                 CROSS JOIN LATERAL generate_series(1, CASE WHEN d.dense THEN greatest(4, :per_day)
                                                            ELSE :per_day END) k
                 ORDER BY d.data, w.id, k) r) g
  JOIN gen_oper o ON o.k = g.pick;

-- The timesheet follows from db/timesheet-from-journal.sql.
