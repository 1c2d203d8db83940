SET client_min_messages = warning;

-- Who made a change: the database login of every history row, and on a database secured with
-- "plant-client --secure-database" the job the server gives that login (not what the session says
-- of itself). Writes that left no trace get one: a timesheet cell written other than by a month
-- rebuild, and a change of a plant worker's name or code in the shared person register.
-- Idempotent: run after the other upgrade scripts, as often as needed.

ALTER TABLE accounts_dep.change_log ADD COLUMN IF NOT EXISTS db_user text;
-- Why: a month reopened says why (written by the month functions through 'plant.reason').
ALTER TABLE accounts_dep.change_log ADD COLUMN IF NOT EXISTS reason text;
-- The writing transaction (the top-level one, also inside a savepoint, which the ODBC driver sets
-- around every statement): what a statement's triggers have to know of the same transaction's
-- earlier rows. Older rows keep none.
ALTER TABLE accounts_dep.change_log ADD COLUMN IF NOT EXISTS xact_id xid8;

-- One history row. On a secured database the job is the job role session_user belongs to (the
-- role names are written into the functions when they are made; the server keeps each login's
-- memberships at hand, so a row costs no catalog scan; a person belongs to one job, and a
-- superuser, who counts as a member of every role, has none); elsewhere it is what the client put
-- on its session. The row trigger writes its row itself, in one statement with the difference of
-- a change: an entry's save pays for one call with the owner's rights, not two.
DO $do$
DECLARE
    d text := current_database();
    secured boolean;
    job_expression text;
    job_rules text := '';
    who_rest text;
    who text;
BEGIN
    SELECT EXISTS (SELECT 1 FROM pg_namespace n JOIN pg_roles r ON r.oid = n.nspowner
                    WHERE n.nspname = 'accounts_dep' AND r.rolname = d || '_owner')
      INTO secured;
    IF secured THEN
        job_expression := format(
            'CASE WHEN NOT (pg_has_role(session_user, %1$L, ''MEMBER'') '
            'AND pg_has_role(session_user, %2$L, ''MEMBER'') '
            'AND pg_has_role(session_user, %3$L, ''MEMBER'') '
            'AND pg_has_role(session_user, %4$L, ''MEMBER'')) THEN CASE '
            'WHEN pg_has_role(session_user, %1$L, ''MEMBER'') THEN ''Foreman'' '
            'WHEN pg_has_role(session_user, %2$L, ''MEMBER'') THEN ''Storekeeper'' '
            'WHEN pg_has_role(session_user, %3$L, ''MEMBER'') THEN ''Reviewer'' '
            'WHEN pg_has_role(session_user, %4$L, ''MEMBER'') THEN ''Administrator'' END END',
            d || '_foreman', d || '_storekeeper', d || '_reviewer', d || '_administrator');
        -- A foreman adds entries but never accepts them: the column rights let the foreman name
        -- the acceptance mark (the entry save writes it as 'no'), so an entry that arrives
        -- already accepted is refused here, in the row pass every entry makes anyway (a trigger
        -- of its own cost a save as much again). The inner test names NEW.ok, which only the
        -- journal has.
        job_rules := $r$
    IF TG_OP = 'INSERT' AND TG_ARGV[0] = 'smena' AND job = 'Foreman' THEN
        IF coalesce(NEW.ok, 'no') NOT IN ('no', '') THEN
            RAISE EXCEPTION USING
                ERRCODE = '42501',
                MESSAGE = 'Бригадир не принимает записи: запись добавляется непринятой';
        END IF;
    END IF;$r$;
        -- The rule's own trigger, as an earlier securing made it.
        DROP TRIGGER IF EXISTS refuse_foreman_acceptance ON accounts_dep.smena;
        DROP FUNCTION IF EXISTS accounts_dep.refuse_foreman_acceptance();
    ELSE
        job_expression := 'nullif(current_setting(''plant.role'', true), '''')';
    END IF;
    -- The values of role, workstation, program, client_addr, db_user, reason and xact_id.
    who_rest := $w$nullif(current_setting('plant.workstation', true), ''),
            nullif(current_setting('application_name', true), ''),
            inet_client_addr(), session_user,
            nullif(btrim(current_setting('plant.reason', true)), ''), pg_current_xact_id()$w$;
    who := job_expression || ', ' || who_rest;
    EXECUTE format($f$
CREATE OR REPLACE FUNCTION accounts_dep.change_log_write(
    p_table text, p_row_id bigint, p_action text, p_key jsonb, p_old jsonb, p_new jsonb)
RETURNS void LANGUAGE plpgsql
-- With the owner's rights: no session writes the history except through the triggers.
SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $body$
BEGIN
    INSERT INTO accounts_dep.change_log (table_name, row_id, action, row_key, old_values,
                                         new_values, role, workstation, program, client_addr,
                                         db_user, reason, xact_id)
    VALUES (p_table, p_row_id, p_action, p_key, p_old, p_new,
            %s);
END
$body$$f$, who);
    -- Row trigger. Arguments: the table's name in the history, then the columns that name a row
    -- (their values after the write, before it for a deletion). A change keeps only the columns
    -- that changed, and one that changed nothing leaves no row.
    EXECUTE format($f$
CREATE OR REPLACE FUNCTION accounts_dep.change_log_row() RETURNS trigger
LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $body$
DECLARE
    job text := %4$s;
    before_row jsonb;
    after_row jsonb;
    whole jsonb;
BEGIN%5$s
    IF TG_OP <> 'INSERT' THEN before_row := to_jsonb(OLD); END IF;
    IF TG_OP <> 'DELETE' THEN after_row := to_jsonb(NEW); END IF;
    whole := coalesce(after_row, before_row);
    IF TG_OP = 'UPDATE' THEN
        INSERT INTO accounts_dep.change_log (table_name, row_id, action, row_key, old_values,
                                             new_values, role, workstation, program, client_addr,
                                             db_user, reason, xact_id)
        SELECT TG_ARGV[0], %1$s, 'update', %2$s, c.old_part, c.new_part,
               %3$s
          FROM (SELECT jsonb_object_agg(e.key, e.value) AS old_part,
                       jsonb_object_agg(e.key, after_row -> e.key) AS new_part
                  FROM jsonb_each(before_row) e
                 WHERE after_row -> e.key IS DISTINCT FROM e.value) c
         WHERE c.old_part IS NOT NULL;
    ELSE
        INSERT INTO accounts_dep.change_log (table_name, row_id, action, row_key, old_values,
                                             new_values, role, workstation, program, client_addr,
                                             db_user, reason, xact_id)
        VALUES (TG_ARGV[0], %1$s, lower(TG_OP), %2$s, before_row, after_row,
                %3$s);
    END IF;
    RETURN NULL;
END
$body$$f$,
        -- The row's id, or year*100+month for a month.
        $e$CASE WHEN whole ? 'id' THEN (whole ->> 'id')::bigint
                ELSE (whole ->> 'year')::bigint * 100 + (whole ->> 'month')::bigint END$e$,
        $e$coalesce((SELECT jsonb_object_agg(k, whole -> k) FROM unnest(TG_ARGV[1:]) k), '{}')$e$,
        'job, ' || who_rest, job_expression, job_rules);
END
$do$;

-- Nobody calls it directly: a session could write any history row it liked.
REVOKE EXECUTE ON FUNCTION accounts_dep.change_log_write(text, bigint, text, jsonb, jsonb, jsonb)
    FROM PUBLIC;

-- Whether the month (year*100+month) was noted as rebuilt in this transaction: the rebuild's own
-- history row, written by this very transaction, and not a session setting anybody can make.
CREATE OR REPLACE FUNCTION accounts_dep.month_rebuilt_here(p_key bigint)
RETURNS boolean LANGUAGE plpgsql STABLE
SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
BEGIN
    -- The rows since this transaction began, by the time index: a handful, whatever the
    -- history's size.
    RETURN EXISTS (SELECT 1 FROM (SELECT l.table_name, l.action, l.row_id, l.xact_id
                                    FROM accounts_dep.change_log l
                                   WHERE l.changed_at >= now() OFFSET 0) l
                    WHERE l.xact_id = pg_current_xact_id() AND l.table_name = 'h_tabel'
                      AND l.row_id = p_key AND l.action = 'rebuild');
END
$$;
REVOKE EXECUTE ON FUNCTION accounts_dep.month_rebuilt_here(bigint) FROM PUBLIC;

-- Whether a timesheet cell of worker w, shift s in the month is written with a journal entry's
-- save or deletion in this transaction (the entry's history row tells the change; the cell
-- follows from it), the entry's place before a change counting too; or its month is rebuilt.
-- The rule is written once below, for one cell (cell_write_noted) and for the cells of a whole
-- statement (the cells trigger, which asks it once for all its rows: an entry's save pays for
-- one statement there, no call per cell).
DO $do$
DECLARE
    -- This transaction's history rows, by the time index: a handful, whatever the history's size.
    mine text := $q$SELECT l.table_name, l.action, l.row_id, l.row_key, l.old_values
  FROM (SELECT l.table_name, l.action, l.row_id, l.row_key, l.old_values, l.xact_id
          FROM accounts_dep.change_log l
         WHERE l.changed_at >= now() OFFSET 0) l
 WHERE l.xact_id = pg_current_xact_id()$q$;
    -- One of them tells the cell of worker %1$s, shift %2$s, month %3$s, year %4$s.
    tells text := $q$(l.table_name = 'h_tabel' AND l.action = 'rebuild' AND l.row_id = %4$s::bigint * 100 + %3$s)
                OR (l.table_name = 'smena'
                    AND ((l.row_key ->> 'w_id')::integer = %1$s AND (l.row_key ->> 'smena')::integer = %2$s
                         AND date_trunc('month', (l.row_key ->> 'data')::date) = make_date(%4$s, %3$s, 1)
                         OR coalesce(l.old_values ->> 'w_id', l.row_key ->> 'w_id')::integer = %1$s
                         AND coalesce(l.old_values ->> 'smena', l.row_key ->> 'smena')::integer = %2$s
                         AND date_trunc('month', coalesce(l.old_values ->> 'data',
                                                          l.row_key ->> 'data')::date)
                             = make_date(%4$s, %3$s, 1)))$q$;
BEGIN
    EXECUTE format($f$
CREATE OR REPLACE FUNCTION accounts_dep.cell_write_noted(w integer, s integer, m integer, y integer)
RETURNS boolean LANGUAGE plpgsql STABLE
SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $body$
BEGIN
    RETURN EXISTS (SELECT 1 FROM (%s) l WHERE %s);
END
$body$$f$, mine, format(tells, 'w', 's', 'm', 'y'));

    -- Timesheet cells written one by one other than with their entry (psql, another program):
    -- one row per timesheet row with the day columns that changed. A month being rebuilt in the
    -- same transaction is already one 'rebuild' row, an entry's save or deletion its entry's row.
    EXECUTE format($f$
CREATE OR REPLACE FUNCTION accounts_dep.change_log_timesheet_cells() RETURNS trigger
LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $body$
DECLARE
    r record;
    o jsonb;
    n jsonb;
BEGIN
    FOR r IN WITH mine AS MATERIALIZED (%s)
             SELECT c.* FROM new_rows c
              WHERE NOT EXISTS (SELECT 1 FROM mine l WHERE %s) LOOP
        n := to_jsonb(r) - 'id';
        IF TG_OP = 'INSERT' THEN
            o := NULL;
            SELECT jsonb_object_agg(e.key, e.value) INTO n FROM jsonb_each(n) e
             WHERE NOT (e.key ~ '^d[0-9]+$' AND e.value = '0');
        ELSE
            SELECT to_jsonb(x) - 'id' INTO o FROM old_rows x WHERE x.id = r.id;
            SELECT jsonb_object_agg(e.key, e.value) INTO o FROM jsonb_each(o) e
             WHERE n -> e.key IS DISTINCT FROM e.value;
            CONTINUE WHEN o IS NULL;
            SELECT jsonb_object_agg(e.key, n -> e.key) INTO n FROM jsonb_object_keys(o) e(key);
        END IF;
        PERFORM accounts_dep.change_log_write('h_tabel', r.id, lower(TG_OP),
            jsonb_build_object('w_id', r.w_id, 'smena', r.smena, 'month', r.month, 'year', r.year),
            o, n);
    END LOOP;
    RETURN NULL;
END
$body$$f$, mine, format(tells, 'c.w_id', 'c.smena', 'c.month', 'c.year'));
END
$do$;
REVOKE EXECUTE ON FUNCTION accounts_dep.cell_write_noted(integer, integer, integer, integer) FROM PUBLIC;

CREATE OR REPLACE FUNCTION accounts_dep.change_log_timesheet_delete() RETURNS trigger
LANGUAGE plpgsql AS $$
DECLARE
    m record;
BEGIN
    FOR m IN SELECT DISTINCT year, month FROM gone LOOP
        IF NOT accounts_dep.month_rebuilt_here(m.year * 100 + m.month) THEN
            PERFORM accounts_dep.change_log_write('h_tabel', m.year * 100 + m.month, 'rebuild',
                jsonb_build_object('year', m.year, 'month', m.month), NULL, NULL);
        END IF;
    END LOOP;
    RETURN NULL;
END
$$;

DROP TRIGGER IF EXISTS change_log_cells_insert ON accounts_dep.h_tabel;
DROP TRIGGER IF EXISTS change_log_cells_update ON accounts_dep.h_tabel;
CREATE TRIGGER change_log_cells_insert AFTER INSERT ON accounts_dep.h_tabel
    REFERENCING NEW TABLE AS new_rows
    FOR EACH STATEMENT EXECUTE FUNCTION accounts_dep.change_log_timesheet_cells();
CREATE TRIGGER change_log_cells_update AFTER UPDATE ON accounts_dep.h_tabel
    REFERENCING OLD TABLE AS old_rows NEW TABLE AS new_rows
    FOR EACH STATEMENT EXECUTE FUNCTION accounts_dep.change_log_timesheet_cells();

-- A plant worker's name or code changed in the shared person register by anything but the
-- workers' own mirror (whose change is already the worker's history row): the journal and the
-- timesheet show that name.
CREATE OR REPLACE FUNCTION accounts_dep.change_log_contractor() RETURNS trigger
LANGUAGE plpgsql AS $$
BEGIN
    IF pg_trigger_depth() > 1 THEN
        RETURN NULL;
    END IF;
    IF NOT EXISTS (SELECT 1 FROM accounts_dep.person p
                    WHERE p.id::text IN (OLD.s_code, NEW.s_code)
                       OR p.id::numeric IN (OLD.id, NEW.id)) THEN
        RETURN NULL;
    END IF;
    PERFORM accounts_dep.change_log_write('contractor', NEW.id::bigint, 'update',
        jsonb_build_object('s_code', NEW.s_code, 's_caption', NEW.s_caption),
        jsonb_build_object('s_code', OLD.s_code, 's_caption', OLD.s_caption),
        jsonb_build_object('s_code', NEW.s_code, 's_caption', NEW.s_caption));
    RETURN NULL;
END
$$;

DROP TRIGGER IF EXISTS change_log_worker_name ON cmn_contractor.person;
CREATE TRIGGER change_log_worker_name AFTER UPDATE ON cmn_contractor.person
    FOR EACH ROW WHEN (OLD.s_caption IS DISTINCT FROM NEW.s_caption
                       OR OLD.s_code IS DISTINCT FROM NEW.s_code OR OLD.id <> NEW.id)
    EXECUTE FUNCTION accounts_dep.change_log_contractor();

-- The functions that write history run with the owner's rights; so does the workers' mirror into
-- the person register, so a login that may change workers needs no right on that register.
ALTER FUNCTION accounts_dep.change_log_row() SECURITY DEFINER SET search_path = pg_catalog, pg_temp;
ALTER FUNCTION accounts_dep.change_log_timesheet_delete()
    SECURITY DEFINER SET search_path = pg_catalog, pg_temp;
ALTER FUNCTION accounts_dep.change_log_timesheet_cells()
    SECURITY DEFINER SET search_path = pg_catalog, pg_temp;
ALTER FUNCTION accounts_dep.change_log_contractor()
    SECURITY DEFINER SET search_path = pg_catalog, pg_temp;
ALTER FUNCTION accounts_dep.note_month_rebuild(integer, integer)
    SECURITY DEFINER SET search_path = pg_catalog, pg_temp;
ALTER FUNCTION accounts_dep.person_mirror() SECURITY DEFINER SET search_path = pg_catalog, pg_temp;
