-- A million synthetic change-history rows for the history benchmarks, written by
-- bench/history_bench.cpp's set-up into a generated plant (db/gen-plant.sql) that holds the
-- upgrade: a year of changes ending on :'last_day' (YYYY-MM-DD), about 2,700 a day, mostly journal
-- entries (added, changed twice, some deleted), the rest operations, norms and reference books.
-- Replaces the history that is there.
\set ON_ERROR_STOP 1
SET client_min_messages = warning;
SET max_parallel_workers_per_gather = 0;
TRUNCATE accounts_dep.change_log RESTART IDENTITY;
INSERT INTO accounts_dep.change_log (changed_at, table_name, row_id, action, row_key, old_values,
                                     new_values, role, workstation, program, client_addr)
SELECT (:'last_day'::date - 364) + n * (interval '365 days' / 1000000),
       CASE WHEN n % 10 < 8 THEN 'smena' WHEN n % 10 = 8 THEN 'norm' ELSE 'person' END,
       CASE WHEN n % 10 < 8 THEN s.id WHEN n % 10 = 8 THEN 1 + n % 4000 ELSE 1 + n % 1000 END,
       (ARRAY['insert', 'update', 'update', 'delete'])[1 + (n / 10) % 4],
       CASE WHEN n % 10 < 8
            THEN jsonb_build_object('data', s.data, 'smena', s.smena, 'w_id', s.w_id,
                                    'i_id', s.i_id, 'o_id', s.o_id)
            WHEN n % 10 = 8 THEN jsonb_build_object('o_id', 1 + n % 4000)
            ELSE jsonb_build_object('fio', 'Рабочий ' || n % 1000) END,
       CASE WHEN (n / 10) % 4 IN (1, 2) THEN jsonb_build_object('kol_vo', s.kol_vo)
            WHEN (n / 10) % 4 = 3 THEN to_jsonb(s) END,
       CASE WHEN (n / 10) % 4 IN (1, 2) THEN jsonb_build_object('kol_vo', s.kol_vo + 2)
            WHEN (n / 10) % 4 = 0 THEN to_jsonb(s) END,
       (ARRAY['Foreman', 'Administrator', 'Storekeeper', NULL])[1 + n % 4],
       'цех-' || (n % 7) || '/user' || (n % 3),
       'plant-client 1.0 (build: 20261201.1000)',
       ('10.0.0.' || (1 + n % 200))::inet
  FROM generate_series(0, 999999) n
  JOIN accounts_dep.smena s ON s.id = 1 + n % (SELECT max(id) FROM accounts_dep.smena);
ANALYZE accounts_dep.change_log;
