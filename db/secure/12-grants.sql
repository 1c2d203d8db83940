-- Securing, step 12 (after the upgrade scripts and the people), as the owner role: what each job
-- may do, and nothing more. Every right on the plant's objects is first taken from everybody but the owner
-- (the built-in login sys included), then given back as the jobs' rules say:
--   foreman        adds journal entries, and writes the timesheet day cells its save recalculates
--   storekeeper    changes the acceptance mark of entries, nothing else
--   reviewer       reads
--   administrator  changes entries, reference books and the timesheet; closes and reopens months
--                  through the month functions
-- Everybody reads the plant's tables, and raises the version stamp at login. The history and the
-- closed months are written by nobody directly (the triggers and the month functions do, with
-- the owner's rights); no job may truncate, alter, or add or change a trigger.

DO $$ BEGIN EXECUTE format('SET LOCAL ROLE %I', current_database() || '_owner'); END $$;

DO $$
DECLARE
    d text := current_database();
    foreman text := d || '_foreman';
    storekeeper text := d || '_storekeeper';
    reviewer text := d || '_reviewer';
    administrator text := d || '_administrator';
    jobs text := format('%I, %I, %I, %I', foreman, storekeeper, reviewer, administrator);
    everybody text := format('PUBLIC, sys, %s', jobs);
    s text;
    f record;
    day_columns text;
BEGIN
    IF to_regrole('sys') IS NULL THEN
        everybody := format('PUBLIC, %s', jobs);
    END IF;
    -- Start from nothing.
    FOREACH s IN ARRAY ARRAY['accounts_dep', 'cmn_contractor', 'cmn_gds_and_srv', 'hrms_staffpos',
                             'cmn_department', 'adm_role'] LOOP
        EXECUTE format('REVOKE ALL ON SCHEMA %I FROM %s', s, everybody);
        EXECUTE format('REVOKE ALL ON ALL TABLES IN SCHEMA %I FROM %s', s, everybody);
        EXECUTE format('REVOKE ALL ON ALL SEQUENCES IN SCHEMA %I FROM %s', s, everybody);
        EXECUTE format('GRANT USAGE ON SCHEMA %I TO %s', s, jobs);
        EXECUTE format('GRANT SELECT ON ALL TABLES IN SCHEMA %I TO %s', s, jobs);
    END LOOP;
    EXECUTE format('REVOKE ALL ON DOMAIN public.t_id, public.t_integer FROM sys');
    -- Read by the server for the jobs, never shown to them all.
    EXECUTE format('REVOKE SELECT ON accounts_dep.change_log FROM %I, %I', foreman, storekeeper);
    IF to_regclass('accounts_dep.plant_person') IS NOT NULL THEN
        EXECUTE format('REVOKE SELECT ON accounts_dep.plant_person FROM %s', jobs);
    END IF;

    -- The version stamp: the newest client raises it at login, whatever the job.
    EXECUTE format('GRANT INSERT (d, t), UPDATE (d, t) ON accounts_dep.ver TO %s', jobs);

    SELECT string_agg('d' || i, ', ' ORDER BY i) INTO day_columns FROM generate_series(1, 31) i;
    -- Foreman: the entry save and its day-cell recalculation.
    EXECUTE format('GRANT INSERT (w_id, i_id, o_id, cena, kol_vo, brak, data, smena, color, time, '
                   'vvod, ok, prize, id_doc, id_doc_item, f_gds_qty_use, id_gds_use, id_cons_use) '
                   'ON accounts_dep.smena TO %I', foreman);
    EXECUTE format('GRANT INSERT (smena, w_id, month, year, %s), UPDATE (%s) ON accounts_dep.h_tabel TO %I',
                   day_columns, day_columns, foreman);
    EXECUTE format('GRANT USAGE ON SEQUENCE accounts_dep.smena_id_seq, accounts_dep.h_tabel_id_seq TO %I',
                   foreman);
    -- Storekeeper: the acceptance mark.
    EXECUTE format('GRANT UPDATE (ok) ON accounts_dep.smena TO %I', storekeeper);
    -- Administrator: entries, timesheet, reference books (products through the register and
    -- its view).
    EXECUTE format('GRANT INSERT, UPDATE, DELETE ON accounts_dep.smena, accounts_dep.h_tabel, '
                   'accounts_dep.person, accounts_dep.vid_oper, accounts_dep.oper, accounts_dep.norm, '
                   'accounts_dep.izdel, cmn_gds_and_srv.gds_and_srv TO %I', administrator);
    EXECUTE format('GRANT USAGE ON ALL SEQUENCES IN SCHEMA accounts_dep TO %I', administrator);
    EXECUTE format('GRANT USAGE ON SEQUENCE cmn_gds_and_srv.gds_and_srv_id_seq TO %I', administrator);
    EXECUTE format('REVOKE USAGE ON SEQUENCE accounts_dep.change_log_id_seq FROM %I', administrator);

    -- Functions: the closed-month check is called by the jobs' own writes; the rest only where
    -- named.
    EXECUTE format('GRANT EXECUTE ON FUNCTION accounts_dep.refuse_closed_months(integer[]) TO %s', jobs);
    FOR f IN SELECT p.oid::regprocedure AS sig, p.proname FROM pg_proc p
               JOIN pg_namespace n ON n.oid = p.pronamespace
              WHERE n.nspname = 'accounts_dep'
                AND p.proname IN ('change_log_write', 'month_rebuilt_here', 'cell_write_noted', 'note_month_rebuild',
                                  'close_month', 'reopen_month') LOOP
        EXECUTE format('REVOKE ALL ON FUNCTION %s FROM %s', f.sig, everybody);
        IF f.proname IN ('note_month_rebuild', 'close_month', 'reopen_month') THEN
            EXECUTE format('GRANT EXECUTE ON FUNCTION %s TO %I', f.sig, administrator);
        END IF;
    END LOOP;
    IF to_regproc('accounts_dep.close_month') IS NULL THEN
        INSERT INTO secure_report(line) VALUES (
            'функций закрытия месяца в базе нет: закрывать месяцы будет нельзя, пока их не добавит обновление клиента');
    END IF;
END
$$;

-- Truncation passes every row trigger: refused on the plant's tables for everybody, the owner
-- included (the jobs have no right to it anyway).
CREATE OR REPLACE FUNCTION accounts_dep.refuse_truncate() RETURNS trigger
LANGUAGE plpgsql AS $$
BEGIN
    RAISE EXCEPTION 'Таблица %.% не очищается целиком (TRUNCATE): удаляйте строки', TG_TABLE_SCHEMA, TG_TABLE_NAME;
END
$$;
REVOKE ALL ON FUNCTION accounts_dep.refuse_truncate() FROM PUBLIC;

DO $$
DECLARE
    t record;
BEGIN
    FOR t IN SELECT n.nspname, c.relname FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace
              WHERE c.relkind IN ('r', 'p')
                AND n.nspname IN ('accounts_dep', 'cmn_contractor', 'cmn_gds_and_srv', 'hrms_staffpos',
                                  'cmn_department', 'adm_role') LOOP
        EXECUTE format('DROP TRIGGER IF EXISTS refuse_truncate ON %I.%I', t.nspname, t.relname);
        EXECUTE format('CREATE TRIGGER refuse_truncate BEFORE TRUNCATE ON %I.%I '
                       'FOR EACH STATEMENT EXECUTE FUNCTION accounts_dep.refuse_truncate()',
                       t.nspname, t.relname);
    END LOOP;
END
$$;
